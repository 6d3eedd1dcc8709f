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
using Offsets = std::array<std::array<std::uint8_t, kLines>, kLines>;  // [column][colour]

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

// Heuristic weights, found by trying them on deals: every column a square still has to
// travel counts five, and each pair of squares in one row that have to travel the same
// way earns two back, since one row move carries them together.
constexpr int kTravelWeight = 5;
constexpr int kSharedOffsetWeight = 2;

Offsets offsetsFor(const Targets& targets) {
  Offsets offsets{};
  for (int x = 0; x < kLines; ++x) {
    for (int colour = 0; colour < kLines; ++colour) {
      offsets[static_cast<std::size_t>(x)][static_cast<std::size_t>(colour)] =
          static_cast<std::uint8_t>((targets[static_cast<std::size_t>(colour)] - x + kLines) %
                                    kLines);
    }
  }
  return offsets;
}

// A row's part of the score by how many of its squares have each offset: [offset][count].
using RowTable = std::array<std::array<std::int16_t, kLines + 1>, kLines>;

constexpr RowTable makeRowTable() {
  RowTable table{};
  for (std::size_t s = 1; s < kLines; ++s) {
    for (int n = 0; n <= kLines; ++n) {
      table[s][static_cast<std::size_t>(n)] = static_cast<std::int16_t>(
          kTravelWeight * n * kCyclicDistance[s] - kSharedOffsetWeight * n * (n - 1) / 2);
    }
  }
  return table;
}
constexpr RowTable kRowTable = makeRowTable();

using OffsetCounts = std::array<std::uint8_t, kLines>;  // squares of a row by offset

int rowScore(const OffsetCounts& n) {
  int score = 0;
  for (std::size_t s = 1; s < kLines; ++s) score += kRowTable[s][n[s]];
  return score;
}

// One goal, seen as "every column one colour" on a board oriented for it.
struct Goal {
  Targets targets{};
  std::array<OffsetCounts, kLines> rows{};  // [row][offset]
  int score = 0;
};

void rescore(const Grid& oriented, Goal& goal) {
  const Offsets offsets = offsetsFor(goal.targets);
  const auto& words = oriented.columnWords();
  goal.rows = {};
  goal.score = 0;
  for (std::size_t y = 0; y < kLines; ++y) {
    for (std::size_t x = 0; x < kLines; ++x) {
      ++goal.rows[y][offsets[x][static_cast<std::uint8_t>(words[x] >> (8 * y))]];
    }
    goal.score += rowScore(goal.rows[y]);
  }
}

// The goal's score after `move` on the oriented board, without making the move: a row
// move turns its row's offsets by one, a column move trades one square in every row.
int scoreAfter(const Grid& oriented, const Goal& goal, const Offsets& offsets, int move) {
  const auto line = static_cast<std::size_t>(move % kLines);
  const int bar = move / kLines;
  if (!isColumnMove(move)) {
    const OffsetCounts& n = goal.rows[line];
    const std::size_t step = bar == kBarRight ? 1 : kLines - 1;
    OffsetCounts turned{};
    for (std::size_t s = 0; s < kLines; ++s) turned[s] = n[(s + step) % kLines];
    return goal.score - rowScore(n) + rowScore(turned);
  }
  const std::uint64_t word = oriented.columnWords()[line];
  const std::size_t step = bar == kBarTop ? 1 : kLines - 1;
  int score = goal.score;
  for (std::size_t y = 0; y < kLines; ++y) {
    const std::uint8_t leaving = offsets[line][static_cast<std::uint8_t>(word >> (8 * y))];
    const std::uint8_t coming =
        offsets[line][static_cast<std::uint8_t>(word >> (8 * ((y + step) % kLines)))];
    if (leaving == coming) continue;
    const OffsetCounts& n = goal.rows[y];
    score += kRowTable[leaving][n[leaving] - 1] - kRowTable[leaving][n[leaving]] +
             kRowTable[coming][n[coming] + 1] - kRowTable[coming][n[coming]];
  }
  return score;
}

// Boards met before, by their hash; open addressing, grown at half full.
class SeenSet {
 public:
  SeenSet() : slots_(1 << 12, 0) {}
  // True if the board is new.
  bool insert(std::uint64_t hash) {
    hash |= 1;  // zero marks an empty slot
    std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      if (slots_[i] == hash) return false;
      if (slots_[i] == 0) {
        slots_[i] = hash;
        if (++size_ * 2 > slots_.size()) grow();
        return true;
      }
    }
  }
  bool contains(std::uint64_t hash) const {
    hash |= 1;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      if (slots_[i] == hash) return true;
      if (slots_[i] == 0) return false;
    }
  }
  void clear() {
    std::fill(slots_.begin(), slots_.end(), 0);
    size_ = 0;
  }

 private:
  void grow() {
    std::vector<std::uint64_t> old(slots_.size() * 2, 0);
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const std::uint64_t hash : old) {
      if (hash == 0) continue;
      std::size_t i = hash & mask;
      while (slots_[i] != 0) i = (i + 1) & mask;
      slots_[i] = hash;
    }
  }

  std::vector<std::uint64_t> slots_;
  std::size_t size_ = 0;
};

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

// Keeps the targets steady from board to board: only swaps of two colours' target columns
// that lower the score, in one pass (more passes found no shorter solutions). A swap
// moves the offsets of fourteen squares only.
void improveTargets(const Grid& oriented, Goal& goal) {
  rescore(oriented, goal);
  std::array<std::array<std::uint8_t, kLines>, kLines> columnOf{};  // [colour][i]
  std::array<std::array<std::uint8_t, kLines>, kLines> rowOf{};
  std::array<std::size_t, kLines> found{};
  for (int x = 0; x < kLines; ++x) {
    for (int y = 0; y < kLines; ++y) {
      const std::uint8_t colour = oriented.at(x, y);
      columnOf[colour][found[colour]] = static_cast<std::uint8_t>(x);
      rowOf[colour][found[colour]++] = static_cast<std::uint8_t>(y);
    }
  }
  std::array<int, kLines> rowScores{};
  for (std::size_t y = 0; y < kLines; ++y) rowScores[y] = rowScore(goal.rows[y]);
  auto offset = [](int target, int x) {
    return static_cast<std::size_t>((target - x + kLines) % kLines);
  };
  for (std::size_t a = 0; a < kLines; ++a) {
    for (std::size_t b = a + 1; b < kLines; ++b) {
      auto rows = goal.rows;
      unsigned touched = 0;
      for (const auto& [colour, from, to] : {std::tuple{a, goal.targets[a], goal.targets[b]},
                                             std::tuple{b, goal.targets[b], goal.targets[a]}}) {
        for (std::size_t i = 0; i < kLines; ++i) {
          const int x = columnOf[colour][i];
          const std::uint8_t y = rowOf[colour][i];
          --rows[y][offset(from, x)];
          ++rows[y][offset(to, x)];
          touched |= 1U << y;
        }
      }
      int score = goal.score;
      std::array<int, kLines> scores = rowScores;
      for (std::size_t y = 0; y < kLines; ++y) {
        if ((touched >> y) & 1U) {
          scores[y] = rowScore(rows[y]);
          score += scores[y] - rowScores[y];
        }
      }
      if (score < goal.score) {
        std::swap(goal.targets[a], goal.targets[b]);
        goal.rows = rows;
        goal.score = score;
        rowScores = scores;
      }
    }
  }
}

struct BeamNode {
  Grid grid;        // as it is
  Grid transposed;  // rows as columns, for the row goal
  Goal columns;
  Goal rows;
  std::int32_t parent = -1;
  std::int8_t move = -1;
};

struct Candidate {
  std::int32_t score;
  std::int32_t parent;
  std::int32_t move;
  bool operator<(const Candidate& other) const {
    if (score != other.score) return score < other.score;
    if (parent != other.parent) return parent < other.parent;
    return move < other.move;
  }
};

// Layers of boards, one per move; the answer is read back through the parents.
std::vector<int> pathTo(const std::vector<std::vector<BeamNode>>& layers, std::size_t layer,
                        std::int32_t index) {
  std::vector<int> path;
  for (; layer > 0; --layer) {
    const BeamNode& node = layers[layer][static_cast<std::size_t>(index)];
    path.push_back(node.move);
    index = node.parent;
  }
  std::reverse(path.begin(), path.end());
  return path;
}

constexpr int kDeepestBeam = 150;

std::optional<std::vector<int>> beamSearch(const Grid& start, int width) {
  std::vector<std::vector<BeamNode>> layers(1);
  BeamNode root{start, start.transposed(), {}, {}};
  root.columns.targets = bestTargets(start);
  root.rows.targets = bestTargets(start.transposed());
  improveTargets(root.grid, root.columns);
  improveTargets(root.transposed, root.rows);
  layers[0].push_back(root);
  // Boards kept so far, and this move's new boards: small enough to stay in the cache,
  // unlike every board ever scored.
  SeenSet kept;
  kept.insert(start.hash());
  SeenSet fresh;
  std::vector<Candidate> candidates;
  for (int depth = 0; depth < kDeepestBeam; ++depth) {
    const std::vector<BeamNode>& current = layers.back();
    candidates.clear();
    for (std::size_t i = 0; i < current.size(); ++i) {
      const BeamNode& node = current[i];
      const Offsets columnOffsets = offsetsFor(node.columns.targets);
      const Offsets rowOffsets = offsetsFor(node.rows.targets);
      for (int move = 0; move < kMoveCount; ++move) {
        if (node.move >= 0 && move == inverseMove(node.move)) continue;
        Grid grid = node.grid;
        grid.apply(move);
        const std::uint64_t hash = grid.hash();
        if (kept.contains(hash) || !fresh.insert(hash)) continue;
        if (grid.solved()) {
          std::vector<int> path = pathTo(layers, layers.size() - 1, static_cast<std::int32_t>(i));
          path.push_back(move);
          return path;
        }
        const int value =
            std::min(scoreAfter(node.grid, node.columns, columnOffsets, move),
                     scoreAfter(node.transposed, node.rows, rowOffsets, transposedMove(move)));
        candidates.push_back({value, static_cast<std::int32_t>(i), move});
      }
    }
    if (candidates.empty()) return std::nullopt;
    const auto keep = std::min(candidates.size(), static_cast<std::size_t>(width));
    const auto keepEnd = candidates.begin() + static_cast<std::ptrdiff_t>(keep);
    std::nth_element(candidates.begin(), keepEnd - 1, candidates.end());
    std::sort(candidates.begin(), keepEnd);
    std::vector<BeamNode> next;
    next.reserve(keep);
    for (auto it = candidates.begin(); it != keepEnd; ++it) {
      BeamNode node = current[static_cast<std::size_t>(it->parent)];
      node.grid.apply(it->move);
      node.transposed.apply(transposedMove(it->move));
      // A row move changes what the columns hold, a column move what the rows hold;
      // the goal whose lines changed may now be nearer with other targets.
      if (isColumnMove(it->move)) {
        improveTargets(node.transposed, node.rows);
        rescore(node.grid, node.columns);
      } else {
        improveTargets(node.grid, node.columns);
        rescore(node.transposed, node.rows);
      }
      node.parent = it->parent;
      node.move = static_cast<std::int8_t>(it->move);
      kept.insert(node.grid.hash());
      next.push_back(node);
    }
    fresh.clear();
    layers.push_back(std::move(next));
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
