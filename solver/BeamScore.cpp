// The beam search's score: scoring a goal afresh, and choosing its target columns.
#include "solver/BeamScore.h"

#include <bit>
#include <limits>
#include <tuple>
#include <utility>

namespace zarvel::solver {
namespace {

// counts[column][colour]
Counts columnCounts(const Grid& grid) {
  Counts counts{};
  for (int x = 0; x < kLines; ++x) {
    for (int y = 0; y < kLines; ++y) ++counts[static_cast<std::size_t>(x)][grid.at(x, y)];
  }
  return counts;
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

// The cheapest targets, exactly, over all 5040 ways (dynamic programming over subsets),
// and how many columns the squares travel to them in all.
std::pair<Targets, int> cheapestTargets(const Grid& grid) {
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
  return {targets, best[kAll]};
}

}  // namespace

Targets bestTargets(const Grid& grid) {
  return cheapestTargets(grid).first;
}

int leastTravel(const Grid& grid) {
  return cheapestTargets(grid).second;
}

void rescore(const Grid& oriented, Goal& goal) {
  goal.score = 0;
  goal.columns = {};
  for (std::size_t y = 0; y < kLines; ++y) {
    Bytes counts = 0;
    for (int x = 0; x < kLines; ++x) {
      const std::uint8_t s = offset(goal.targets[oriented.at(x, static_cast<int>(y))], x);
      counts += kOne << (8 * s);
      goal.columns[static_cast<std::size_t>(x)] |= Bytes{s} << (8 * y);
    }
    goal.rows[y] = counts;
    goal.rowScores[y] = static_cast<std::int16_t>(rowScore(counts));
    goal.score += goal.rowScores[y];
  }
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
        for (const auto& [colour, to] : {std::pair{a, tb}, std::pair{b, ta}}) {
          for (std::size_t i = 0; i < kLines; ++i) {
            const std::uint8_t x = columnOf[colour][i];
            const int shift = 8 * rowOf[colour][i];
            goal.columns[x] =
                (goal.columns[x] & ~(Bytes{0xFF} << shift)) | (Bytes{offset(to, x)} << shift);
          }
        }
        goal.rows = rows;
        goal.rowScores = scores;
        goal.score = score;
      }
    }
  }
}

}  // namespace zarvel::solver
