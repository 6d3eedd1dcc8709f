// The exact search: iterative deepening, pruned by the counting bound, for boards a few
// moves from solved; and the bound itself.
#include <algorithm>

#include "solver/BeamScore.h"
#include "solver/Solver.h"

namespace zarvel::solver {
namespace {

// Fewest row moves before every column is one colour, plus fewest column moves before
// every row holds all seven colours, as the column goal needs. A row move carries seven
// squares one column each, so the row moves are also at least the least travel over
// all targets, a seventh of it: sharper, but too slow for every board of the search.
int columnGoalBound(const Grid& grid, bool sharp) {
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
  if (sharp) rowMoves = std::max(rowMoves, (leastTravel(grid) + kLines - 1) / kLines);
  return rowMoves + columnMoves;
}

int bound(const Grid& grid, bool sharp) {
  if (grid.solved()) return 0;
  return std::max(
      1, std::min(columnGoalBound(grid, sharp), columnGoalBound(grid.transposed(), sharp)));
}

// Moves on parallel lines commute, so of two orders only the one with rising lines is tried.
bool worthTrying(int move, int previous) {
  if (previous < 0) return true;
  if (move == inverseMove(previous)) return false;
  if (isColumnMove(move) != isColumnMove(previous)) return true;
  return move % kLines >= previous % kLines;
}

bool depthFirst(Grid& grid, int depthLeft, int previous, std::vector<int>& path) {
  if (grid.solved()) return true;
  if (depthLeft == 0 || bound(grid, false) > depthLeft) return false;
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

}  // namespace

int lowerBound(const Grid& grid) {
  return bound(grid, true);
}

std::optional<std::vector<Move>> shortestSolution(const Grid& grid, int maxDepth) {
  for (int depth = 0; depth <= maxDepth; ++depth) {
    Grid working = grid;
    std::vector<int> path;
    if (!depthFirst(working, depth, -1, path)) continue;
    std::vector<Move> moves;
    for (const int move : path) moves.push_back(moveOf(move));
    return moves;
  }
  return std::nullopt;
}

}  // namespace zarvel::solver
