// Drawing operations on the board and the mascot, by the board's pixel geometry.
#pragma once

#include "engine/GameScreen.h"

namespace zarvel {

// Fills the 39 x 39 square whose top-left pixel is (x, y).
inline void fillSquare(Picture& board, int x, int y, Colour colour) {
  board.fillBox(x, y, x + kSquare - 1, y + kSquare - 1, colour);
}

// The colour of cell (column, row), read at its origin.
inline Colour cellColour(const Picture& board, int column, int row) {
  return board.point(cellOrigin(column), cellOrigin(row));
}

// The mascot shows its own picture again.
inline void freeMascot(GameScreen& screen) {
  screen.PicTrol().clear();
}

// The caged picture replaces the mascot, top-left corner at (0, 0).
inline void cageMascot(GameScreen& screen) {
  const Picture& cage = screen.picKletka();
  screen.PicTrol().paintPicture(cage, 0, 0, 0, 0, cage.width(), cage.height());
}

}  // namespace zarvel
