// A game as it is kept between sessions: the layout number, the move counter and the colours
// of the 49 cells. A deal and an opened saved game both end by showing one.
#pragma once

#include <array>
#include <cstdint>

#include "engine/Declare.h"
#include "engine/GameScreen.h"

namespace zarvel {

struct SavedGame {
  std::int32_t layout = 0;             // NmRasklada
  std::int32_t moves = 0;              // NmHod
  std::array<Colour, kCells> cells{};  // column by column: cell 7 * column + row
  bool operator==(const SavedGame&) const = default;
};

// The game on screen: the counters, and the colours the board holds at the cells' origins.
SavedGame currentGame(const Declare& declare, const Picture& board);

// Makes `game` the game on screen: NmRasklada, NmHod and their labels, a free mascot and the
// 49 squares painted over whatever the board showed.
void showGame(Declare& declare, GameScreen& screen, const SavedGame& game);

}  // namespace zarvel
