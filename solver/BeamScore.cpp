// The beam search's score: scoring a goal afresh, and choosing its target columns.
#include "solver/BeamScore.h"

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#define ZARVEL_SOLVER_AVX2 1
#include <immintrin.h>
#endif

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <tuple>
#include <utility>

namespace zarvel::solver {

Counts columnCounts(const Grid& grid) {
  Counts counts{};
  for (int x = 0; x < kLines; ++x) {
    for (int y = 0; y < kLines; ++y) ++counts[static_cast<std::size_t>(x)][grid.at(x, y)];
  }
  return counts;
}

namespace {

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

}  // namespace

Targets bestTargets(const Grid& grid) {
  return cheapestTargets(grid).first;
}

int leastTravel(const Grid& grid) {
  return cheapestTargets(grid).second;
}

void rescore(const Grid& oriented, Goal& goal) {
  std::array<Bytes, kLines> spread{};  // [colour]: squares by offset to column 0
  for (int x = 0; x < kLines; ++x) {
    for (int y = 0; y < kLines; ++y) spread[oriented.at(x, y)] += kOne << (8 * offset(0, x));
  }
  for (std::size_t colour = 0; colour < kLines; ++colour) {
    goal.travels[colour] = 0;
    for (int t = 0; t < kLines; ++t) {
      goal.travels[colour] |= Bytes(travel(spread[colour], t)) << (8 * t);
    }
  }
  goal.score = 0;
  goal.offsets = {};
  for (std::size_t y = 0; y < kLines; ++y) {
    Bytes counts = 0;
    for (int x = 0; x < kLines; ++x) {
      const std::uint8_t s = offset(goal.targets[oriented.at(x, static_cast<int>(y))], x);
      counts += kOne << (8 * s);
      goal.offsets[y] |= Bytes{s} << (8 * x);
    }
    goal.rows[y] = counts;
    goal.rowScores[y] = static_cast<std::int16_t>(rowScore(counts));
    goal.score += goal.rowScores[y];
  }
}

std::vector<Targets> likelyTargets(const Grid& oriented, std::size_t count) {
  // Only the seventh of the assignments whose squares travel least is improved and scored:
  // the rest gave no shorter solutions on deals. Ties go by targets, so that every standard
  // library picks the same ones.
  constexpr std::size_t kTriedTargets = 720;
  const Counts cost = travelCosts(oriented);
  std::vector<std::pair<int, Targets>> byTravel;
  Targets targets = {0, 1, 2, 3, 4, 5, 6};
  do {
    int travel = 0;
    for (std::size_t colour = 0; colour < kLines; ++colour) travel += cost[colour][targets[colour]];
    byTravel.emplace_back(travel, targets);
  } while (std::next_permutation(targets.begin(), targets.end()));
  const std::size_t tried = std::min(byTravel.size(), kTriedTargets);
  std::nth_element(byTravel.begin(), byTravel.begin() + static_cast<std::ptrdiff_t>(tried) - 1,
                   byTravel.end());
  std::vector<std::pair<std::int32_t, Targets>> found;
  for (std::size_t i = 0; i < tried; ++i) {
    Goal goal;
    goal.targets = byTravel[i].second;
    rescore(oriented, goal);
    improveTargets(oriented, goal);
    found.emplace_back(goal.score, goal.targets);
  }
  // Many assignments improve to the same targets, which always score the same.
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  std::vector<Targets> likely;
  for (std::size_t i = 0; i < found.size() && i < count; ++i) likely.push_back(found[i].second);
  return likely;
}

// Where the squares of each colour are: columnOf[colour][i], rowOf[colour][i].
void squaresByColour(const Grid& board, bool transposed,
                     std::array<std::array<std::uint8_t, kLines>, kLines>& columnOf,
                     std::array<std::array<std::uint8_t, kLines>, kLines>& rowOf) {
  // How many squares of each colour are found so far, byte by byte in a register: counts
  // kept in memory made every square wait for the one before.
  Bytes found = 0;
  auto add = [&](std::uint8_t colour, int x, int y) {
    const int shift = 8 * colour;
    const std::size_t i = (found >> shift) & 0xFF;
    found += kOne << shift;
    columnOf[colour][i] = static_cast<std::uint8_t>(x);
    rowOf[colour][i] = static_cast<std::uint8_t>(y);
  };
  const auto& words = board.columnWords();
  if (transposed) {
    for (int x = 0; x < kLines; ++x) {
      for (int y = 0; y < kLines; ++y) {
        add(static_cast<std::uint8_t>(words[static_cast<std::size_t>(y)] >> (8 * x)), x, y);
      }
    }
  } else {
    for (int x = 0; x < kLines; ++x) {
      const Bytes word = words[static_cast<std::size_t>(x)];
      for (int y = 0; y < kLines; ++y) add(static_cast<std::uint8_t>(word >> (8 * y)), x, y);
    }
  }
}

// Only swaps that make the squares travel no further are worked out: the others rarely
// lowered the score, and leaving them out made solutions no longer on deals, while it
// leaves seven boards in ten with no swap to work out.
constexpr int kLongestUsefulDetour = 0;

// Keeps the targets steady from board to board: only swaps of two colours' target columns
// that lower the score, in one pass (more passes found no shorter solutions). A swap
// moves the offsets of fourteen squares only.
void improveTargets(const Grid& board, bool transposed, Goal& goal) {
  std::array<std::array<std::uint8_t, kLines>, kLines> columnOf{};  // [colour][i]
  std::array<std::array<std::uint8_t, kLines>, kLines> rowOf{};
  bool found = false;  // where each colour's squares are, looked up for the first swap
  // Most boards have no swap worth working out; the travels are read byte by byte from
  // memory to see that, rather than shifted out of their words.
  std::array<std::array<std::uint8_t, sizeof(Bytes)>, kLines> travelTo{};  // [colour][column]
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(travelTo.data(), goal.travels.data(), sizeof(travelTo));
  } else {
    for (std::size_t colour = 0; colour < kLines; ++colour) {
      for (std::size_t t = 0; t < kLines; ++t) {
        travelTo[colour][t] = static_cast<std::uint8_t>(byteAt(goal.travels[colour], t));
      }
    }
  }
  std::array<int, kLines> own{};  // each colour's travel to its own target
  for (std::size_t colour = 0; colour < kLines; ++colour) {
    own[colour] = travelTo[colour][goal.targets[colour]];
  }
  for (std::size_t a = 0; a < kLines; ++a) {
    for (std::size_t b = a + 1; b < kLines; ++b) {
      const std::uint8_t ta = goal.targets[a];
      const std::uint8_t tb = goal.targets[b];
      if (travelTo[a][tb] + travelTo[b][ta] - (own[a] + own[b]) > kLongestUsefulDetour) {
        continue;
      }
      if (!found) {
        squaresByColour(board, transposed, columnOf, rowOf);
        found = true;
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
        own[a] = travelTo[a][tb];
        own[b] = travelTo[b][ta];
        for (const auto& [colour, to] : {std::pair{a, tb}, std::pair{b, ta}}) {
          for (std::size_t i = 0; i < kLines; ++i) {
            const std::uint8_t x = columnOf[colour][i];
            const std::uint8_t y = rowOf[colour][i];
            goal.offsets[y] =
                (goal.offsets[y] & ~(Bytes{0xFF} << (8 * x))) | (Bytes{offset(to, x)} << (8 * x));
          }
        }
        goal.rows = rows;
        goal.rowScores = scores;
        goal.score = score;
      }
    }
  }
}

#ifdef ZARVEL_SOLVER_AVX2

namespace {

// Two words, one in the low half of each 128-bit lane: the two goals side by side.
__attribute__((target("avx2"))) __m256i pair(Bytes first, Bytes second) {
  return _mm256_setr_epi64x(static_cast<long long>(first), 0, static_cast<long long>(second), 0);
}

// Bytes 0..7 of both lanes set to `values`.
__attribute__((target("avx2"))) __m256i perOffset(Bytes values) {
  return pair(values, values);
}

// A change table's eight entries (counts 0..7) for an offset at `distance`, byte by byte.
constexpr long long tableWord(const ChangeTable& table, std::size_t distance) {
  Bytes word = 0;
  for (std::size_t n = 0; n <= kLines; ++n) {
    word |= Bytes{static_cast<std::uint8_t>(table[distance][n])} << (8 * n);
  }
  return static_cast<long long>(word);
}

__attribute__((target("avx2"))) __m256i tablesOf(const ChangeTable& table, std::size_t low,
                                                 std::size_t high) {
  return _mm256_setr_epi64x(tableWord(table, low), tableWord(table, high), tableWord(table, low),
                            tableWord(table, high));
}

// Byte lanes hold offsets 0..6 (or columns 0..6), one goal in each 128-bit half; a table
// of eight changes lost (bytes 0..7) and won (8..15) for a row is looked up for all seven
// columns at once.
__attribute__((target("avx2"))) void scoreWide(const Goal& first, const Goal& second,
                                               std::array<int, kMoveCount>& firstScores,
                                               std::array<int, kMoveCount>& secondScores) {
  const __m256i zero = _mm256_setzero_si256();
  // What a row wins and loses with a square of an offset, looked up by how many it holds
  // (0..7) in a table of eight per distance: [1 | 2] by count plus 8 for the offsets at
  // distance 2, [3 | 3] for those at distance 3.
  const __m256i winsNear = tablesOf(kWins, 1, 2);
  const __m256i losesNear = tablesOf(kLoses, 1, 2);
  const __m256i far = _mm256_setr_epi64x(tableWord(kWins, 3), tableWord(kLoses, 3),
                                         tableWord(kWins, 3), tableWord(kLoses, 3));
  const __m256i secondHalf = perOffset(0x0000080000080000ULL);
  const __m256i three = perOffset(0x000000FFFF000000ULL);
  const __m256i notZero = perOffset(0x00FFFFFFFFFFFF00ULL);
  const __m256i eight = _mm256_set1_epi8(8);
  __m256i up = zero;
  __m256i down = zero;
  for (std::size_t y = 0; y < kLines; ++y) {
    const __m256i n = pair(first.rows[y], second.rows[y]);
    const __m256i near = _mm256_add_epi8(n, secondHalf);
    const __m256i wins =
        _mm256_and_si256(notZero, _mm256_blendv_epi8(_mm256_shuffle_epi8(winsNear, near),
                                                     _mm256_shuffle_epi8(far, n), three));
    const __m256i loses = _mm256_and_si256(
        notZero, _mm256_blendv_epi8(_mm256_shuffle_epi8(losesNear, near),
                                    _mm256_shuffle_epi8(far, _mm256_add_epi8(n, eight)), three));
    const __m256i table = _mm256_unpacklo_epi64(loses, wins);
    const __m256i leaving = pair(first.offsets[y], second.offsets[y]);
    const __m256i lost = _mm256_shuffle_epi8(table, leaving);
    for (const int bar : {kBarTop, kBarBottom}) {
      const std::size_t from = comingRow(bar, y);
      const __m256i coming = pair(first.offsets[from], second.offsets[from]);
      const __m256i won = _mm256_shuffle_epi8(table, _mm256_add_epi8(coming, eight));
      // A row that gets back the offset it gave up does not change.
      const __m256i change =
          _mm256_andnot_si256(_mm256_cmpeq_epi8(leaving, coming), _mm256_add_epi8(lost, won));
      const __m256i wide = _mm256_unpacklo_epi8(change, _mm256_cmpgt_epi8(zero, change));
      (bar == kBarTop ? up : down) = _mm256_add_epi16((bar == kBarTop ? up : down), wide);
    }
  }
  alignas(32) std::array<std::int16_t, 16> ups{};
  alignas(32) std::array<std::int16_t, 16> downs{};
  _mm256_store_si256(reinterpret_cast<__m256i*>(ups.data()), up);
  _mm256_store_si256(reinterpret_cast<__m256i*>(downs.data()), down);
  for (const auto& [goal, scores, lane] :
       {std::tuple{&first, &firstScores, 0}, std::tuple{&second, &secondScores, 8}}) {
    for (std::size_t i = 0; i < kLines; ++i) {
      const int rest = goal->score - goal->rowScores[i];
      (*scores)[kBarRight * kLines + i] = rest + rowScore(turnedDown(goal->rows[i]));
      (*scores)[kBarLeft * kLines + i] = rest + rowScore(turnedUp(goal->rows[i]));
      (*scores)[kBarTop * kLines + i] = goal->score + ups[static_cast<std::size_t>(lane) + i];
      (*scores)[kBarBottom * kLines + i] = goal->score + downs[static_cast<std::size_t>(lane) + i];
    }
  }
}

}  // namespace

// The processor is asked outside the AVX2 code, which must not run at all without it.
bool childScoresAvx2(const Goal& first, const Goal& second,
                     std::array<int, kMoveCount>& firstScores,
                     std::array<int, kMoveCount>& secondScores) {
  static const bool available = __builtin_cpu_supports("avx2");
  if (!available) return false;
  scoreWide(first, second, firstScores, secondScores);
  return true;
}

#else

bool childScoresAvx2(const Goal&, const Goal&, std::array<int, kMoveCount>&,
                     std::array<int, kMoveCount>&) {
  return false;
}

#endif

}  // namespace zarvel::solver
