// Finding short move sequences that solve a board: an exact search for boards a few moves
// from solved, a beam search for the rest, and a long but certain method behind both.
#pragma once

#include <optional>
#include <vector>

#include "solver/Grid.h"

namespace zarvel::solver {

struct SolverSettings {
  int exactDepth = 4;     // boards this close to solved get a shortest solution
  int beamWidth = 10700;  // boards kept per move in the beam search
};

struct Solution {
  std::vector<Move> moves;
  bool shortest = false;  // no shorter solution exists
  int lowerBound = 0;     // no solution is shorter than this
};

// Solves any board with seven squares of each of seven colours. The same board always
// gives the same moves, however its colours are numbered.
Solution solve(const Grid& grid, const SolverSettings& settings = {});

// A shortest solution, if one has at most `maxDepth` moves.
std::optional<std::vector<Move>> shortestSolution(const Grid& grid, int maxDepth);

// Fewest moves any solution can have, by counting: a row move brings one new square into
// every column and a column move one into every row.
int lowerBound(const Grid& grid);

// A solution made of three-square cycles: hundreds of moves, but it never fails, so it
// stands behind the beam search.
std::vector<Move> cycleSolution(const Grid& grid);

}  // namespace zarvel::solver
