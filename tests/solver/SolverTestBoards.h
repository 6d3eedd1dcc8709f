// Boards for the solver tests: deals, solved boards, scrambles, and a check that plays a
// solution with the game's own moves.
#pragma once

#include <algorithm>
#include <vector>

#include "engine/NewHodM.h"
#include "solver/Grid.h"
#include "tests/support/FakeScreen.h"

namespace zarvel::testing {

// Column c (or row c) in colour colours[c].
inline solver::Grid solvedGrid(const std::array<std::uint8_t, kLines>& colours, bool byRows) {
  std::array<std::uint8_t, kCells> cells{};
  for (int column = 0; column < kLines; ++column) {
    for (int row = 0; row < kLines; ++row) {
      cells[static_cast<std::size_t>(kLines * column + row)] =
          colours[static_cast<std::size_t>(byRows ? row : column)];
    }
  }
  return solver::Grid::fromCells(cells);
}

// A solved board in a colour order drawn from `rnd`, by rows or columns, then `moves`
// random moves, never one that undoes the one before.
inline solver::Grid scrambled(Rnd& rnd, int moves, bool byRows) {
  std::array<std::uint8_t, kLines> colours = {0, 1, 2, 3, 4, 5, 6};
  for (int i = kLines - 1; i > 0; --i) {
    std::swap(colours[static_cast<std::size_t>(i)],
              colours[static_cast<std::size_t>(rnd.nextBelow(i + 1))]);
  }
  solver::Grid grid = solvedGrid(colours, byRows);
  int previous = -1;
  for (int i = 0; i < moves; ++i) {
    int move = 0;
    do {
      move = rnd.nextBelow(solver::kMoveCount);
    } while (previous >= 0 && move == solver::inverseMove(previous));
    grid.apply(move);
    previous = move;
  }
  return grid;
}

struct Played {
  bool solved = false;
  int victories = 0;
  std::int32_t movesAtVictory = -1;
};

// Paints the board, plays the moves as the arrow bars do (TekRjad, then NewHod) and asks
// the game whether the board is solved.
inline Played playInGame(const solver::Grid& grid, const std::vector<solver::Move>& moves) {
  Declare declare = startedDeclare();
  FakeScreen screen;
  solver::paint(solver::IndexedBoard{grid, kCvetaTable}, screen.picPole());
  for (const solver::Move& move : moves) {
    declare.TekRjad = move.line;
    NewHod(declare, screen, move.bar);
  }
  return {boardSolved(screen.picPole()), screen.victories, screen.movesShownAtVictory};
}

}  // namespace zarvel::testing
