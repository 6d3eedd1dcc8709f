// The board is read and painted column by column, the order in which cells are dealt and
// listed in a saved game.
#include "engine/SavedGame.h"

#include "engine/Board.h"

namespace zarvel {

SavedGame currentGame(const Declare& declare, const Picture& board) {
  SavedGame game{declare.NmRasklada, declare.NmHod, {}};
  std::size_t cell = 0;
  for (int column = 0; column < kLines; ++column) {
    for (int row = 0; row < kLines; ++row) game.cells[cell++] = cellColour(board, column, row);
  }
  return game;
}

void showGame(Declare& declare, GameScreen& screen, const SavedGame& game) {
  declare.NmRasklada = game.layout;
  declare.NmHod = game.moves;
  freeMascot(screen);
  screen.showNmRasklada(declare.NmRasklada);
  screen.showNmHod(declare.NmHod);
  Picture& board = screen.picPole();
  std::size_t cell = 0;
  for (int column = 0; column < kLines; ++column) {
    for (int row = 0; row < kLines; ++row) {
      fillSquare(board, cellOrigin(column), cellOrigin(row), game.cells[cell++]);
    }
  }
  screen.gameStarted();
}

}  // namespace zarvel
