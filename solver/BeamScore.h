// The beam search's score. Each goal (all columns one colour, all rows one colour) is
// looked at as "all columns": the row goal on the transposed board. For a goal, every
// colour is given a target column, and every square then has an offset, the columns it
// still has to travel. A row move changes the offsets of one row together, so boards whose
// rows hold squares with equal offsets are close to solved; the beam ranks boards by that.
// The parts run for every child are inline here, for the beam's loop.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/NewHodM.h"
#include "solver/Grid.h"

namespace zarvel::solver {

using Counts = std::array<std::array<std::uint8_t, kLines>, kLines>;
using Targets = std::array<std::uint8_t, kLines>;  // target column of each colour index

// How many squares of each colour every column holds: counts[column][colour].
Counts columnCounts(const Grid& grid);

inline constexpr std::array<int, kLines> kCyclicDistance = {0, 1, 2, 3, 3, 2, 1};

constexpr int cyclic(int from, int to) {
  return kCyclicDistance[static_cast<std::size_t>((to - from + kLines) % kLines)];
}

// What a row scores for each group of its squares that share an offset, by the offset's
// distance (1, 2 or 3 columns) and how many squares the group holds (1..7):
// [distance - 1][squares - 1]. Found by trying weights on deals: every column a square
// still travels counts eleven, every group nine per column, as the row (or the rows its
// squares go to) makes that trip, and each pair in a group earns four, six or eight back
// at one, two or three columns, since one row move carries them together. Tables fitted
// by least squares to the distances of boards along wide beams' answers
// (zarvel-fit-score) gave longer answers on deals, so these stay.
inline constexpr std::array<std::array<std::int16_t, kLines>, 3> kGroupScores = {{
    {20, 27, 30, 29, 24, 15, 2},
    {40, 56, 66, 70, 68, 60, 46},
    {60, 85, 102, 111, 112, 105, 90},
}};
// About what one column of a square's trip scores, by which the beam's margins are set.
inline constexpr int kTravelWeight = 11;

// A row's part of the score by how many of its squares have each offset: [offset][count].
using RowTable = std::array<std::array<std::int16_t, kLines + 1>, kLines>;

constexpr RowTable makeRowTable() {
  RowTable table{};
  for (std::size_t s = 1; s < kLines; ++s) {
    const auto distance = static_cast<std::size_t>(kCyclicDistance[s]);
    for (std::size_t n = 1; n <= kLines; ++n) table[s][n] = kGroupScores[distance - 1][n - 1];
  }
  return table;
}
// A child's score is counted in an array by its value: none below zero.
constexpr bool noScoreBelowZero() {
  for (const auto& scores : kGroupScores) {
    for (const std::int16_t score : scores) {
      if (score < 0) return false;
    }
  }
  return true;
}
static_assert(noScoreBelowZero());
inline constexpr RowTable kRowTable = makeRowTable();

// Packed byte vectors: byte i of a word for i = 0..6. A row's squares by offset (byte s =
// how many have s columns to travel), or a column's offsets from the top down.
using Bytes = std::uint64_t;

constexpr Bytes kOne = 1;

constexpr std::size_t byteAt(Bytes word, std::size_t i) {
  return static_cast<std::size_t>((word >> (8 * i)) & 0xFF);
}
// The grid's word turns serve these too: turnedDown gives a row's offsets after a move to
// the right (every square one column nearer).

// A row's score in two lookups, one for its counts of offsets 1..3 and one for 4..6: a
// multiplication gathers three counts (each at most seven) into twelve bits, the first,
// the second, and the sum of the second and third, each in four bits.
constexpr std::size_t tripleIndex(Bytes threeCounts) {
  constexpr Bytes kGather = (kOne << 16) | (kOne << 12) | (kOne << 8);
  return static_cast<std::size_t>((((threeCounts & 0x070707) * kGather) >> 16) & 0xFFF);
}

using TripleTable = std::array<std::int16_t, 1 << 12>;

constexpr TripleTable makeTripleTable(std::size_t firstOffset) {
  TripleTable table{};
  for (std::size_t i = 0; i < 8 * 8 * 8; ++i) {
    const std::array<std::size_t, 3> n = {i % 8, i / 8 % 8, i / 64};
    int score = 0;
    Bytes counts = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      score += kRowTable[firstOffset + k][n[k]];
      counts |= Bytes{n[k]} << (8 * k);
    }
    table[tripleIndex(counts)] = static_cast<std::int16_t>(score);
  }
  return table;
}
inline constexpr TripleTable kLowOffsets = makeTripleTable(1);
inline constexpr TripleTable kHighOffsets = makeTripleTable(4);

// The gathering keeps every triple apart: no two share an index.
constexpr bool triplesApart() {
  std::array<bool, 1 << 12> used{};
  for (Bytes i = 0; i < 8 * 8 * 8; ++i) {
    const Bytes counts = (i % 8) | (i / 8 % 8) << 8 | (i / 64) << 16;
    if (used[tripleIndex(counts)]) return false;
    used[tripleIndex(counts)] = true;
  }
  return true;
}
static_assert(triplesApart());

inline int rowScore(Bytes counts) {
  return kLowOffsets[tripleIndex(counts >> 8)] + kHighOffsets[tripleIndex(counts >> 32)];
}

// offset(target, x): columns from x to the target, to the right.
inline constexpr std::array<std::uint8_t, 2 * kLines> kOffset = {0, 1, 2, 3, 4, 5, 6,
                                                                 0, 1, 2, 3, 4, 5, 6};
constexpr std::uint8_t offset(int target, int x) {
  return kOffset[static_cast<std::size_t>(target - x + kLines)];
}

// One goal, seen as "every column one colour" on a board oriented for it.
struct Goal {
  Targets targets{};
  std::array<Bytes, kLines> offsets{};  // [row] offsets from the left
  std::array<Bytes, kLines> rows{};     // [row] squares by offset
  // [colour] columns its squares travel in all, byte t: to target column t
  std::array<Bytes, kLines> travels{};
  std::array<std::int16_t, kLines> rowScores{};
  std::int32_t score = 0;
};

// Scores a goal from its targets alone, and works out its offsets.
void rescore(const Grid& oriented, Goal& goal);

// What a row's score gains when it loses or wins a square of offset s, by how many
// squares of that offset it holds: [s][n].
using ChangeTable = std::array<std::array<std::int16_t, kLines + 1>, kLines>;
constexpr ChangeTable makeChangeTable(int change) {
  ChangeTable table{};
  for (std::size_t s = 1; s < kLines; ++s) {
    for (int n = 0; n <= kLines; ++n) {
      const int after = n + change;
      if (after < 0 || after > kLines) continue;
      table[s][static_cast<std::size_t>(n)] =
          static_cast<std::int16_t>(kRowTable[s][static_cast<std::size_t>(after)] -
                                    kRowTable[s][static_cast<std::size_t>(n)]);
    }
  }
  return table;
}
inline constexpr ChangeTable kLoses = makeChangeTable(-1);
inline constexpr ChangeTable kWins = makeChangeTable(1);

// The AVX2 scoring looks the changes up a byte each.
constexpr bool changesFitBytes() {
  for (const ChangeTable* table : {&kLoses, &kWins}) {
    for (const auto& row : *table) {
      for (const std::int16_t change : row) {
        if (change < -128 || change > 127) return false;
      }
    }
  }
  return true;
}
static_assert(changesFitBytes());

// The offsets of the row a column move brings to row y: the one below for a move up.
constexpr std::size_t comingRow(int bar, std::size_t y) {
  return (y + (bar == kBarTop ? 1 : kLines - 1)) % kLines;
}

// The scores of the 28 children for one goal, by move on the oriented board, without
// making the moves: a row move turns its row's offsets by one, a column move trades one
// square in every row.
inline void childScores(const Goal& goal, std::array<int, kMoveCount>& scores) {
  std::array<std::array<int, kLines>, 2> deltas{};  // [up, down][column]
  for (std::size_t y = 0; y < kLines; ++y) {
    const int rest = goal.score - goal.rowScores[y];
    scores[kBarRight * kLines + y] = rest + rowScore(turnedDown(goal.rows[y]));
    scores[kBarLeft * kLines + y] = rest + rowScore(turnedUp(goal.rows[y]));
    std::array<int, kLines> loses{};
    std::array<int, kLines> wins{};
    for (std::size_t s = 1; s < kLines; ++s) {
      loses[s] = kLoses[s][byteAt(goal.rows[y], s)];
      wins[s] = kWins[s][byteAt(goal.rows[y], s)];
    }
    // A row that gets back the offset it gave up does not change.
    for (const int bar : {kBarTop, kBarBottom}) {
      const Bytes coming = goal.offsets[comingRow(bar, y)];
      auto& delta = deltas[bar == kBarTop ? 0 : 1];
      for (std::size_t x = 0; x < kLines; ++x) {
        const std::size_t a = byteAt(goal.offsets[y], x);
        const std::size_t b = byteAt(coming, x);
        if (a != b) delta[x] += loses[a] + wins[b];
      }
    }
  }
  for (std::size_t x = 0; x < kLines; ++x) {
    scores[kBarTop * kLines + x] = goal.score + deltas[0][x];
    scores[kBarBottom * kLines + x] = goal.score + deltas[1][x];
  }
}

// The same for both goals of a board at once, several rows in each instruction, where the
// processor has AVX2 (false, and nothing done, where it or the build has none).
bool childScoresAvx2(const Goal& first, const Goal& second,
                     std::array<int, kMoveCount>& firstScores,
                     std::array<int, kMoveCount>& secondScores);

// Every offset of a row one more (k = 1) or one less (k = 6), around seven.
constexpr Bytes plusModSeven(Bytes offsets, int k) {
  constexpr Bytes kLanes = 0x0001010101010101ULL;
  const Bytes sum = offsets + static_cast<Bytes>(k) * kLanes;
  const Bytes over = ((sum + 0x79 * kLanes) >> 7) & kLanes;  // lanes of seven or more
  return sum - 7 * over;
}

// What a square's travel to each target column (byte t) gains and loses when it goes from
// column x one to the right (k = 0) or to the left (k = 1): [k][x].
struct TravelChange {
  Bytes more = 0;
  Bytes less = 0;
};
using TravelChanges = std::array<std::array<TravelChange, kLines>, 2>;
constexpr TravelChanges makeTravelChanges() {
  TravelChanges changes{};
  for (int k = 0; k < 2; ++k) {
    for (int x = 0; x < kLines; ++x) {
      const int to = (x + (k == 0 ? 1 : kLines - 1)) % kLines;
      for (int t = 0; t < kLines; ++t) {
        const int change = cyclic(to, t) - cyclic(x, t);
        TravelChange& c = changes[static_cast<std::size_t>(k)][static_cast<std::size_t>(x)];
        if (change > 0) c.more |= kOne << (8 * t);
        if (change < 0) c.less |= kOne << (8 * t);
      }
    }
  }
  return changes;
}
inline constexpr TravelChanges kTravelChanges = makeTravelChanges();

// Brings the goal's travels up to date after a move of an oriented board's row that held
// `colours` (byte x: the colour in column x) to the right or the left. No byte goes
// below zero or above 21, so none borrows from or carries into the next.
inline void moveTravels(Goal& goal, Bytes colours, bool right) {
  for (std::size_t x = 0; x < kLines; ++x) {
    const TravelChange& change = kTravelChanges[right ? 0 : 1][x];
    Bytes& travels = goal.travels[byteAt(colours, x)];
    travels = travels + change.more - change.less;
  }
}

// Brings the goal up to date after `move` has been made on the oriented board.
inline void update(Goal& goal, int move) {
  const auto line = static_cast<std::size_t>(move % kLines);
  const int bar = move / kLines;
  if (isColumnMove(move)) {
    const int shift = static_cast<int>(8 * line);
    const Bytes mask = Bytes{0xFF} << shift;
    std::array<Bytes, kLines> offsets = goal.offsets;
    for (std::size_t y = 0; y < kLines; ++y) {
      const std::size_t a = byteAt(goal.offsets[y], line);
      const std::size_t b = byteAt(goal.offsets[comingRow(bar, y)], line);
      offsets[y] = (offsets[y] & ~mask) | (Bytes{b} << shift);
      if (a == b) continue;
      goal.rows[y] = goal.rows[y] - (kOne << (8 * a)) + (kOne << (8 * b));
      const auto score = static_cast<std::int16_t>(rowScore(goal.rows[y]));
      goal.score += score - goal.rowScores[y];
      goal.rowScores[y] = score;
    }
    goal.offsets = offsets;
  } else {
    // Every square of the row goes one column on and comes one column nearer its target,
    // or goes back and one column further.
    const bool right = bar == kBarRight;
    Bytes& offsets = goal.offsets[line];
    offsets = right ? plusModSeven(turnedUp(offsets), 6) : plusModSeven(turnedDown(offsets), 1);
    Bytes& counts = goal.rows[line];
    counts = right ? turnedDown(counts) : turnedUp(counts);
    const auto score = static_cast<std::int16_t>(rowScore(counts));
    goal.score += score - goal.rowScores[line];
    goal.rowScores[line] = score;
  }
}

// Travel cost of every colour to every column: cost[colour][column].
// The cheapest targets of the column goal, exactly, over all 5040 ways.
Targets bestTargets(const Grid& grid);

// The fewest columns the squares travel in all, over all targets of the column goal.
int leastTravel(const Grid& grid);

// The target columns likeliest to suit a goal, best first: every assignment improved by
// swaps, the `count` distinct ones that score lowest.
std::vector<Targets> likelyTargets(const Grid& oriented, std::size_t count);

// Swaps two colours' target columns where that lowers the score; the goal is oriented as
// the board, or as its transpose.
void improveTargets(const Grid& board, bool transposed, Goal& goal);
inline void improveTargets(const Grid& oriented, Goal& goal) {
  improveTargets(oriented, false, goal);
}

}  // namespace zarvel::solver
