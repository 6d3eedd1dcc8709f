// What the game engine needs of the main window: its picture areas, its two number
// labels and the victory window. The real window and the tests' fakes implement it.
#pragma once

#include <cstdint>

#include "engine/Picture.h"

namespace zarvel {

class GameScreen {
 public:
  virtual ~GameScreen() = default;

  virtual Picture& picPole() = 0;          // the board
  virtual Picture& PicTrol() = 0;          // the mascot as shown
  virtual const Picture& picKletka() = 0;  // source of the caged mascot

  virtual void showNmRasklada(std::int32_t layoutNumber) = 0;  // lblNmRasklada
  virtual void showNmHod(std::int32_t moves) = 0;              // lblNmHod

  // Shows the victory window modally and returns once the player has closed it.
  virtual void showVictory() = 0;

  // A deal or an opened game has just replaced the whole board: whatever the screen kept
  // about the game before (its moves to take back, a hint) no longer fits.
  virtual void gameStarted() {}
};

}  // namespace zarvel
