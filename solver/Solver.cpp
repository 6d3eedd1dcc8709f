// The search. Each goal (all columns one colour, all rows one colour) is looked at as
// "all columns": the row goal on the transposed board. For a goal, every colour is given
// a target column, and every square then has an offset, the columns it still has to
// travel. A row move changes the offsets of one row together, so boards whose rows hold
// squares with equal offsets are close to solved; the beam ranks boards by that.
#include "solver/Solver.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <tuple>

#include "engine/NewHodM.h"

namespace zarvel::solver {
namespace {

using Counts = std::array<std::array<std::uint8_t, kLines>, kLines>;
using Targets = std::array<std::uint8_t, kLines>;  // target column of each colour index

constexpr std::array<int, kLines> kCyclicDistance = {0, 1, 2, 3, 3, 2, 1};

int cyclic(int from, int to) {
  return kCyclicDistance[static_cast<std::size_t>((to - from + kLines) % kLines)];
}

// The same move on the transposed board: columns become rows, up becomes left.
int transposedMove(int move) {
  return (3 - move / kLines) * kLines + move % kLines;
}

// counts[column][colour]
Counts columnCounts(const Grid& grid) {
  Counts counts{};
  for (int x = 0; x < kLines; ++x) {
    for (int y = 0; y < kLines; ++y) ++counts[static_cast<std::size_t>(x)][grid.at(x, y)];
  }
  return counts;
}

// Fewest row moves before every column is one colour, plus fewest column moves before
// every row holds all seven colours, as the column goal needs.
int columnGoalBound(const Grid& grid) {
  const Counts columns = columnCounts(grid);
  const Counts rows = columnCounts(grid.transposed());
  int rowMoves = 0;
  int columnMoves = 0;
  for (int line = 0; line < kLines; ++line) {
    const auto& column = columns[static_cast<std::size_t>(line)];
    const auto& row = rows[static_cast<std::size_t>(line)];
    rowMoves = std::max(rowMoves, kLines - *std::max_element(column.begin(), column.end()));
    columnMoves = std::max(columnMoves, static_cast<int>(std::count(row.begin(), row.end(), 0)));
  }
  return rowMoves + columnMoves;
}

// ---- Exact search ----------------------------------------------------------------------

// Moves on parallel lines commute, so of two orders only the one with rising lines is tried.
bool worthTrying(int move, int previous) {
  if (previous < 0) return true;
  if (move == inverseMove(previous)) return false;
  if (isColumnMove(move) != isColumnMove(previous)) return true;
  return move % kLines >= previous % kLines;
}

bool depthFirst(Grid& grid, int depthLeft, int previous, std::vector<int>& path) {
  if (grid.solved()) return true;
  if (depthLeft == 0 || lowerBound(grid) > depthLeft) return false;
  for (int move = 0; move < kMoveCount; ++move) {
    if (!worthTrying(move, previous)) continue;
    grid.apply(move);
    path.push_back(move);
    if (depthFirst(grid, depthLeft - 1, move, path)) return true;
    path.pop_back();
    grid.apply(inverseMove(move));
  }
  return false;
}

std::vector<Move> movesOf(const std::vector<int>& indices) {
  std::vector<Move> moves;
  moves.reserve(indices.size());
  for (const int index : indices) moves.push_back(moveOf(index));
  return moves;
}

// ---- Beam search -----------------------------------------------------------------------

// Heuristic weights, found by trying them on deals. A row's squares are grouped by offset:
// every column a square still has to travel counts eleven; every group counts nine per
// column, as the row (or the rows its squares are moved to) has to make that trip; and
// each pair of squares in one group earns four back, since one row move carries them
// together.
constexpr int kTravelWeight = 11;
constexpr int kGroupWeight = 9;
constexpr int kSharedOffsetWeight = 4;

// A row's part of the score by how many of its squares have each offset: [offset][count].
using RowTable = std::array<std::array<std::int16_t, kLines + 1>, kLines>;

constexpr RowTable makeRowTable() {
  RowTable table{};
  for (std::size_t s = 1; s < kLines; ++s) {
    const int distance = kCyclicDistance[s];
    for (int n = 1; n <= kLines; ++n) {
      table[s][static_cast<std::size_t>(n)] = static_cast<std::int16_t>(
          (kTravelWeight * n + kGroupWeight) * distance - kSharedOffsetWeight * n * (n - 1) / 2);
    }
  }
  return table;
}
constexpr RowTable kRowTable = makeRowTable();

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
constexpr TripleTable kLowOffsets = makeTripleTable(1);
constexpr TripleTable kHighOffsets = makeTripleTable(4);

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

int rowScore(Bytes counts) {
  return kLowOffsets[tripleIndex(counts >> 8)] + kHighOffsets[tripleIndex(counts >> 32)];
}

// offset(target, x): columns from x to the target, to the right.
constexpr std::array<std::uint8_t, 2 * kLines> kOffset = {0, 1, 2, 3, 4, 5, 6, 0, 1, 2, 3, 4, 5, 6};
constexpr std::uint8_t offset(int target, int x) {
  return kOffset[static_cast<std::size_t>(target - x + kLines)];
}

// One goal, seen as "every column one colour" on a board oriented for it.
struct Goal {
  Targets targets{};
  std::array<Bytes, kLines> rows{};  // [row] squares by offset
  std::array<std::int16_t, kLines> rowScores{};
  std::int32_t score = 0;
};

void rescore(const Grid& oriented, Goal& goal) {
  goal.score = 0;
  for (std::size_t y = 0; y < kLines; ++y) {
    Bytes counts = 0;
    for (int x = 0; x < kLines; ++x) {
      counts += kOne << (8 * offset(goal.targets[oriented.at(x, static_cast<int>(y))], x));
    }
    goal.rows[y] = counts;
    goal.rowScores[y] = static_cast<std::int16_t>(rowScore(counts));
    goal.score += goal.rowScores[y];
  }
}

// A column's offsets from the top down, for its moves.
Bytes columnOffsets(const Grid& oriented, const Targets& targets, std::size_t x) {
  const Bytes word = oriented.columnWords()[x];
  Bytes offsets = 0;
  for (std::size_t y = 0; y < kLines; ++y) {
    offsets |= Bytes{offset(targets[byteAt(word, y)], static_cast<int>(x))} << (8 * y);
  }
  return offsets;
}

// The scores of the 28 children for one goal, by move on the oriented board, without
// making the moves: a row move turns its row's offsets by one, a column move trades one
// square in every row.
void childScores(const Grid& oriented, const Goal& goal, std::array<int, kMoveCount>& scores) {
  for (std::size_t y = 0; y < kLines; ++y) {
    const int rest = goal.score - goal.rowScores[y];
    scores[kBarRight * kLines + y] = rest + rowScore(turnedDown(goal.rows[y]));
    scores[kBarLeft * kLines + y] = rest + rowScore(turnedUp(goal.rows[y]));
  }
  // What a row's score gains when it loses or wins a square of each offset.
  std::array<std::array<std::int16_t, kLines>, kLines> loses{};
  std::array<std::array<std::int16_t, kLines>, kLines> wins{};
  for (std::size_t y = 0; y < kLines; ++y) {
    for (std::size_t s = 1; s < kLines; ++s) {
      const std::size_t n = byteAt(goal.rows[y], s);
      loses[y][s] = static_cast<std::int16_t>(n > 0 ? kRowTable[s][n - 1] - kRowTable[s][n] : 0);
      wins[y][s] =
          static_cast<std::int16_t>(n < kLines ? kRowTable[s][n + 1] - kRowTable[s][n] : 0);
    }
  }
  for (std::size_t x = 0; x < kLines; ++x) {
    const Bytes leaving = columnOffsets(oriented, goal.targets, x);
    int lost = 0;
    for (std::size_t y = 0; y < kLines; ++y) lost += loses[y][byteAt(leaving, y)];
    for (const int bar : {kBarTop, kBarBottom}) {
      const Bytes coming = bar == kBarTop ? turnedDown(leaving) : turnedUp(leaving);
      int delta = lost;
      for (std::size_t y = 0; y < kLines; ++y) {
        const std::size_t a = byteAt(leaving, y);
        const std::size_t b = byteAt(coming, y);
        // A row that gets back the offset it gave up does not change.
        delta += a == b ? -loses[y][a] : wins[y][b];
      }
      scores[static_cast<std::size_t>(bar * kLines) + x] = goal.score + delta;
    }
  }
}

// Brings the goal up to date after `move` has been made on the oriented board.
void update(const Grid& before, Goal& goal, int move) {
  const auto line = static_cast<std::size_t>(move % kLines);
  if (isColumnMove(move)) {
    const Bytes leaving = columnOffsets(before, goal.targets, line);
    const Bytes coming = move / kLines == kBarTop ? turnedDown(leaving) : turnedUp(leaving);
    for (std::size_t y = 0; y < kLines; ++y) {
      const std::size_t a = byteAt(leaving, y);
      const std::size_t b = byteAt(coming, y);
      if (a == b) continue;
      goal.rows[y] = goal.rows[y] - (kOne << (8 * a)) + (kOne << (8 * b));
      const auto score = static_cast<std::int16_t>(rowScore(goal.rows[y]));
      goal.score += score - goal.rowScores[y];
      goal.rowScores[y] = score;
    }
  } else {
    Bytes& counts = goal.rows[line];
    counts = move / kLines == kBarRight ? turnedDown(counts) : turnedUp(counts);
    const auto score = static_cast<std::int16_t>(rowScore(counts));
    goal.score += score - goal.rowScores[line];
    goal.rowScores[line] = score;
  }
}

// Travel cost of every colour to every column: cost[colour][column].
Counts travelCosts(const Grid& grid) {
  const Counts counts = columnCounts(grid);
  Counts cost{};
  for (int colour = 0; colour < kLines; ++colour) {
    for (int target = 0; target < kLines; ++target) {
      int sum = 0;
      for (int x = 0; x < kLines; ++x) {
        sum += counts[static_cast<std::size_t>(x)][static_cast<std::size_t>(colour)] *
               cyclic(x, target);
      }
      cost[static_cast<std::size_t>(colour)][static_cast<std::size_t>(target)] =
          static_cast<std::uint8_t>(sum);
    }
  }
  return cost;
}

// The cheapest targets, exactly, over all 5040 ways (dynamic programming over subsets).
Targets bestTargets(const Grid& grid) {
  const Counts cost = travelCosts(grid);
  constexpr int kAll = (1 << kLines) - 1;
  std::array<int, kAll + 1> best{};
  std::array<std::uint8_t, kAll + 1> last{};
  best.fill(std::numeric_limits<int>::max());
  best[0] = 0;
  for (int used = 0; used < kAll; ++used) {
    if (best[static_cast<std::size_t>(used)] == std::numeric_limits<int>::max()) continue;
    const auto colour = static_cast<std::size_t>(std::popcount(static_cast<unsigned>(used)));
    for (int target = 0; target < kLines; ++target) {
      if ((used >> target) & 1) continue;
      const int next = used | (1 << target);
      const int value =
          best[static_cast<std::size_t>(used)] + cost[colour][static_cast<std::size_t>(target)];
      if (value < best[static_cast<std::size_t>(next)]) {
        best[static_cast<std::size_t>(next)] = value;
        last[static_cast<std::size_t>(next)] = static_cast<std::uint8_t>(target);
      }
    }
  }
  Targets targets{};
  int used = kAll;
  for (int colour = kLines - 1; colour >= 0; --colour) {
    const std::uint8_t target = last[static_cast<std::size_t>(used)];
    targets[static_cast<std::size_t>(colour)] = target;
    used &= ~(1 << target);
  }
  return targets;
}

// How many columns a colour's squares travel in all to target column t, from their
// count by offset to column 0 (byte s: squares in column -s): turned by t, the counts
// are weighed by distance in one multiplication, whose byte 6 collects the sum (at most
// 21, so no byte carries into the next).
constexpr int travel(Bytes countsByOffset, int t) {
  constexpr Bytes kDistances = 0x0000010203030201ULL;  // byte 6 - s: the distance of offset s
  const Bytes turned = t == 0 ? countsByOffset
                              : ((countsByOffset << (8 * t)) | (countsByOffset >> (56 - 8 * t))) &
                                    0x00FFFFFFFFFFFFFFULL;
  return static_cast<int>(((turned * kDistances) >> 48) & 0xFF);
}

constexpr bool travelsRight() {
  for (int s = 0; s < kLines; ++s) {
    for (int t = 0; t < kLines; ++t) {
      const int distance = kCyclicDistance[static_cast<std::size_t>((s + t) % kLines)];
      if (travel(kOne << (8 * s), t) != distance) return false;
      if (travel(7 * (kOne << (8 * s)) + (kOne << (8 * t)), 0) !=
          7 * kCyclicDistance[s] + kCyclicDistance[t])
        return false;
    }
  }
  return true;
}
static_assert(travelsRight());

// A swap that makes the squares travel more than this many columns further never lowered
// the score on deals (once in a million tries), so it is not worked out.
constexpr int kLongestUsefulDetour = 7;

// Keeps the targets steady from board to board: only swaps of two colours' target columns
// that lower the score, in one pass (more passes found no shorter solutions). A swap
// moves the offsets of fourteen squares only.
void improveTargets(const Grid& oriented, Goal& goal) {
  std::array<std::array<std::uint8_t, kLines>, kLines> columnOf{};  // [colour][i]
  std::array<std::array<std::uint8_t, kLines>, kLines> rowOf{};
  std::array<std::size_t, kLines> found{};
  std::array<Bytes, kLines> spread{};  // [colour]: squares by offset to column 0
  for (int x = 0; x < kLines; ++x) {
    for (int y = 0; y < kLines; ++y) {
      const std::uint8_t colour = oriented.at(x, y);
      columnOf[colour][found[colour]] = static_cast<std::uint8_t>(x);
      rowOf[colour][found[colour]++] = static_cast<std::uint8_t>(y);
      spread[colour] += kOne << (8 * offset(0, x));
    }
  }
  std::array<std::array<int, kLines>, kLines> travels{};  // [colour][target]
  for (std::size_t colour = 0; colour < kLines; ++colour) {
    for (int t = 0; t < kLines; ++t) {
      travels[colour][static_cast<std::size_t>(t)] = travel(spread[colour], t);
    }
  }
  for (std::size_t a = 0; a < kLines; ++a) {
    for (std::size_t b = a + 1; b < kLines; ++b) {
      const std::uint8_t ta = goal.targets[a];
      const std::uint8_t tb = goal.targets[b];
      if (travels[a][tb] + travels[b][ta] - travels[a][ta] - travels[b][tb] >
          kLongestUsefulDetour) {
        continue;
      }
      std::array<Bytes, kLines> rows = goal.rows;
      unsigned touched = 0;
      for (const auto& [colour, from, to] : {std::tuple{a, ta, tb}, std::tuple{b, tb, ta}}) {
        for (std::size_t i = 0; i < kLines; ++i) {
          const int x = columnOf[colour][i];
          const std::uint8_t y = rowOf[colour][i];
          rows[y] = rows[y] - (kOne << (8 * offset(from, x))) + (kOne << (8 * offset(to, x)));
          touched |= 1U << y;
        }
      }
      int score = goal.score;
      std::array<std::int16_t, kLines> scores = goal.rowScores;
      for (std::size_t y = 0; y < kLines; ++y) {
        if ((touched >> y) & 1U) {
          scores[y] = static_cast<std::int16_t>(rowScore(rows[y]));
          score += scores[y] - goal.rowScores[y];
        }
      }
      if (score < goal.score) {
        std::swap(goal.targets[a], goal.targets[b]);
        goal.rows = rows;
        goal.rowScores = scores;
        goal.score = score;
      }
    }
  }
}

struct BeamNode {
  Grid grid;        // as it is
  Grid transposed;  // rows as columns, for the row goal
  Goal columns;
  Goal rows;
  std::int8_t move = -1;  // the move that made it
};

// Squares on which a column differs from the one below it (cyclically), over all columns:
// byte y is non-zero when some column changes colour between rows y and y + 1.
Bytes rowBoundaries(const Grid& oriented) {
  Bytes boundaries = 0;
  for (const Bytes word : oriented.columnWords()) boundaries |= word ^ turnedDown(word);
  return boundaries;
}

// True if some single move might solve the board. A row move changes one row only, so
// it can complete the columns only if every column already agrees on the other six rows:
// colour changes at most at two neighbouring row boundaries. Likewise for the rows.
bool mayFinishInOneMove(const BeamNode& node) {
  auto fewBoundaries = [](Bytes boundaries) {
    int count = 0;
    for (std::size_t y = 0; y < kLines; ++y) count += byteAt(boundaries, y) != 0;
    return count <= 2;
  };
  return fewBoundaries(rowBoundaries(node.grid)) || fewBoundaries(rowBoundaries(node.transposed));
}

// How each kept board was made: its parent in the layer before, and the move.
struct Step {
  std::int32_t parent;
  std::int32_t move;
};

// The moves to board `index` of the last layer, read back through the parents.
std::vector<int> pathTo(const std::vector<std::vector<Step>>& layers, std::size_t index) {
  std::vector<int> path;
  for (auto layer = layers.rbegin(); layer != layers.rend(); ++layer) {
    const Step& step = (*layer)[index];
    path.push_back(step.move);
    index = static_cast<std::size_t>(step.parent);
  }
  std::reverse(path.begin(), path.end());
  return path;
}

// Boards kept so far, by 32 bits of their hash; open addressing, grown at half full. Small
// enough to stay in the cache; two boards that share the bits (a few in a million deals)
// only cost the search one board.
class SeenSet {
 public:
  SeenSet() : slots_(1 << 12, 0) {}
  // True if the board is new.
  bool insert(std::uint64_t hash) {
    const auto key = static_cast<std::uint32_t>(hash >> 32) | 1;  // zero marks an empty slot
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = key & mask;; i = (i + 1) & mask) {
      if (slots_[i] == key) return false;
      if (slots_[i] == 0) {
        slots_[i] = key;
        if (++size_ * 2 > slots_.size()) grow();
        return true;
      }
    }
  }

 private:
  void grow() {
    std::vector<std::uint32_t> old(slots_.size() * 2, 0);
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const std::uint32_t key : old) {
      if (key == 0) continue;
      std::size_t i = key & mask;
      while (slots_[i] != 0) i = (i + 1) & mask;
      slots_[i] = key;
    }
  }

  std::vector<std::uint32_t> slots_;
  std::size_t size_ = 0;
};

// A child of the beam: its score, its parent's place in the layer and its move.
struct Candidate {
  std::int32_t score;
  std::int32_t parent;
  std::int32_t move;
};

// The candidates by score, lowest first; equal scores stay in the order they were made
// in, by parent and then move, so the ranking does not depend on how it is done. A
// counting sort: scores span a few thousand values, and there are tens of thousands.
void rank(const std::vector<Candidate>& candidates, std::vector<Candidate>& ranked,
          std::vector<std::int32_t>& starts) {
  ranked.resize(candidates.size());
  if (candidates.empty()) return;
  const auto [low, high] =
      std::minmax_element(candidates.begin(), candidates.end(),
                          [](const Candidate& a, const Candidate& b) { return a.score < b.score; });
  const int lowest = low->score;
  starts.assign(static_cast<std::size_t>(high->score - lowest) + 2, 0);
  for (const Candidate& c : candidates) ++starts[static_cast<std::size_t>(c.score - lowest) + 1];
  for (std::size_t i = 1; i < starts.size(); ++i) starts[i] += starts[i - 1];
  for (const Candidate& c : candidates) {
    ranked[static_cast<std::size_t>(starts[static_cast<std::size_t>(c.score - lowest)]++)] = c;
  }
}

constexpr int kDeepestBeam = 150;
// A goal scored this far behind the other is left alone: its targets are not improved,
// and its children are not scored, since one move never brought it level on deals.
constexpr int kTargetsMargin = 4 * kTravelWeight;
constexpr int kScoringMargin = 20 * kTravelWeight;

// The scores of a board's children for one goal, or none if the other goal is far ahead.
void childScores(const Grid& oriented, const Goal& goal, const Goal& other,
                 std::array<int, kMoveCount>& scores) {
  if (goal.score > other.score + kScoringMargin) {
    scores.fill(std::numeric_limits<int>::max());
  } else {
    childScores(oriented, goal, scores);
  }
}

std::optional<std::vector<int>> beamSearch(const Grid& start, int width) {
  BeamNode root{start, start.transposed(), {}, {}};
  root.columns.targets = bestTargets(start);
  root.rows.targets = bestTargets(start.transposed());
  rescore(root.grid, root.columns);
  rescore(root.transposed, root.rows);
  improveTargets(root.grid, root.columns);
  improveTargets(root.transposed, root.rows);
  std::vector<BeamNode> current = {root};
  std::vector<BeamNode> next;
  std::vector<std::vector<Step>> layers;  // the kept boards' steps, one layer per move
  SeenSet seen;
  seen.insert(start.hash());
  std::vector<Candidate> candidates;
  std::vector<Candidate> ranked;
  std::vector<std::int32_t> starts;
  std::array<int, kMoveCount> columnScores{};
  std::array<int, kMoveCount> rowScores{};
  for (int depth = 0; depth < kDeepestBeam; ++depth) {
    candidates.clear();
    for (std::size_t i = 0; i < current.size(); ++i) {
      const BeamNode& node = current[i];
      if (mayFinishInOneMove(node)) {
        for (int move = 0; move < kMoveCount; ++move) {
          Grid grid = node.grid;
          grid.apply(move);
          if (!grid.solved()) continue;
          std::vector<int> path = pathTo(layers, i);
          path.push_back(move);
          return path;
        }
      }
      childScores(node.grid, node.columns, node.rows, columnScores);
      childScores(node.transposed, node.rows, node.columns, rowScores);
      for (int move = 0; move < kMoveCount; ++move) {
        if (node.move >= 0 && move == inverseMove(node.move)) continue;
        const int value = std::min(columnScores[static_cast<std::size_t>(move)],
                                   rowScores[static_cast<std::size_t>(transposedMove(move))]);
        candidates.push_back({value, static_cast<std::int32_t>(i), move});
      }
    }
    // The best children in order, made into boards until `width` new ones are kept.
    rank(candidates, ranked, starts);
    next.clear();
    std::vector<Step>& steps = layers.emplace_back();
    for (const Candidate& c : ranked) {
      if (next.size() == static_cast<std::size_t>(width)) break;
      const BeamNode& source = current[static_cast<std::size_t>(c.parent)];
      Grid grid = source.grid;
      grid.apply(c.move);
      if (!seen.insert(grid.hash())) continue;
      BeamNode& node = next.emplace_back(source);
      node.grid = grid;
      node.transposed.apply(transposedMove(c.move));
      update(source.grid, node.columns, c.move);
      update(source.transposed, node.rows, transposedMove(c.move));
      node.move = static_cast<std::int8_t>(c.move);
      // A row move changes what the columns hold, a column move what the rows hold;
      // the goal whose lines changed may now be nearer with other targets.
      if (isColumnMove(c.move)) {
        if (node.rows.score <= node.columns.score + kTargetsMargin) {
          improveTargets(node.transposed, node.rows);
        }
      } else if (node.columns.score <= node.rows.score + kTargetsMargin) {
        improveTargets(node.grid, node.columns);
      }
      steps.push_back({c.parent, c.move});
    }
    if (next.empty()) return std::nullopt;
    current.swap(next);
  }
  return std::nullopt;
}

}  // namespace

int lowerBound(const Grid& grid) {
  if (grid.solved()) return 0;
  return std::max(1, std::min(columnGoalBound(grid), columnGoalBound(grid.transposed())));
}

std::optional<std::vector<Move>> shortestSolution(const Grid& grid, int maxDepth) {
  for (int depth = 0; depth <= maxDepth; ++depth) {
    Grid working = grid;
    std::vector<int> path;
    if (depthFirst(working, depth, -1, path)) return movesOf(path);
  }
  return std::nullopt;
}

Solution solve(const Grid& grid, const SolverSettings& settings) {
  Solution solution;
  solution.lowerBound = lowerBound(grid);
  if (auto exact = shortestSolution(grid, settings.exactDepth)) {
    solution.moves = std::move(*exact);
    solution.shortest = true;
    solution.lowerBound = static_cast<int>(solution.moves.size());
    return solution;
  }
  solution.lowerBound = std::max(solution.lowerBound, settings.exactDepth + 1);
  if (auto found = beamSearch(grid, std::max(settings.beamWidth, 1))) {
    solution.moves = movesOf(*found);
  } else {
    solution.moves = cycleSolution(grid);
  }
  return solution;
}

}  // namespace zarvel::solver
