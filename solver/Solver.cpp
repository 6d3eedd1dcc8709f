// Solving a board: the exact search for boards a few moves from solved, the beam search
// for the rest, and three-square cycles behind both.
#include "solver/Solver.h"

#include <algorithm>

#include "solver/BeamSearch.h"

namespace zarvel::solver {
namespace {

std::vector<Move> movesOf(const std::vector<int>& indices) {
  std::vector<Move> moves;
  moves.reserve(indices.size());
  for (const int index : indices) moves.push_back(moveOf(index));
  return moves;
}

}  // namespace

Solution solve(const Grid& given, const SolverSettings& settings) {
  const Grid grid = given.canonical();
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
