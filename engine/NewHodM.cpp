// Moves and the victory check, square by square on the board's drawing.
#include "engine/NewHodM.h"

#include <limits>

#include "engine/Board.h"

namespace zarvel {
namespace {

// The cell that wraps around is read inside its square, off its origin; the squares are
// uniform, so this gives the origin's colour.
constexpr int kWrapInset = 3;      // along the line, from the line's origin x or y
constexpr int kWrapNearEdge = 5;   // across, in the first cell
constexpr int kWrapFarEdge = 275;  // across, in the last cell
constexpr int kFirstOrigin = cellOrigin(0);
constexpr int kLastOrigin = cellOrigin(kLines - 1);

bool columnsUniform(const Picture& board) {
  for (int c = 0; c < kLines; ++c) {
    const Colour reference = cellColour(board, c, 0);
    for (int r = 1; r < kLines; ++r)
      if (cellColour(board, c, r) != reference) return false;
  }
  return true;
}

bool rowsUniform(const Picture& board) {
  for (int r = 0; r < kLines; ++r) {
    const Colour reference = cellColour(board, 0, r);
    for (int c = 1; c < kLines; ++c)
      if (cellColour(board, c, r) != reference) return false;
  }
  return true;
}

}  // namespace

void Sdvig(Picture& board, std::int32_t bar, std::int32_t line) {
  const int b = kPitch * line;
  const bool column = bar == kBarTop || bar == kBarBottom;
  // Bars 0 and 3 move towards the low end: start there and pull each cell from the next.
  const bool towardsStart = bar == kBarTop || bar == kBarLeft;
  const int step = towardsStart ? kPitch : -kPitch;
  const int wrapAcross = towardsStart ? kWrapNearEdge : kWrapFarEdge;
  int along = towardsStart ? kFirstOrigin : kLastOrigin;

  const Colour wrap =
      column ? board.point(b + kWrapInset, wrapAcross) : board.point(wrapAcross, b + kWrapInset);
  for (int i = 0; i < kLines - 1; ++i) {
    if (column) {
      fillSquare(board, b + 1, along, board.point(b + 1, along + step));
    } else {
      fillSquare(board, along, b + 1, board.point(along + step, b + 1));
    }
    along += step;
  }
  if (column) {
    fillSquare(board, b + 1, along, wrap);
  } else {
    fillSquare(board, along, b + 1, wrap);
  }
}

bool boardSolved(const Picture& board) {
  return columnsUniform(board) || rowsUniform(board);
}

void NewHod(Declare& declare, GameScreen& screen, std::int32_t bar) {
  moveLine(declare, screen, bar, declare.TekRjad);
}

void moveLine(Declare& declare, GameScreen& screen, std::int32_t bar, std::int32_t line) {
  Sdvig(screen.picPole(), bar, line);
  // A saved game may bring any count; the largest one stays put instead of overflowing.
  if (declare.NmHod < std::numeric_limits<std::int32_t>::max()) ++declare.NmHod;
  screen.showNmHod(declare.NmHod);
  if (boardSolved(screen.picPole())) {
    cageMascot(screen);
    screen.showVictory();
  }
}

}  // namespace zarvel
