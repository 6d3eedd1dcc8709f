// Dealing: a new game with a random layout number, the deal of a layout, and the deal of a
// layout the player chose by its number.
#pragma once

#include <array>

#include "engine/Declare.h"
#include "engine/GameScreen.h"

namespace zarvel {

inline constexpr std::int32_t kLayoutCount = 32656;  // layout numbers 0..32655

// The colour-table indices of a deal, column by column (the order of a saved game),
// from the values that follow `rnd`'s current state: each cell takes values until it
// gets a colour that is still on fewer than seven squares.
std::array<std::int32_t, kLines * kLines> dealColourIndices(Rnd& rnd);

// Draws a random layout number and deals it, the generator seeded from the clock.
void NewGame(Declare& declare, GameScreen& screen);
// The same with the clock read as `secondsSinceMidnight`, so that the deal of any moment of
// the day can be had again.
void NewGame(Declare& declare, GameScreen& screen, double secondsSinceMidnight);

// Deals layout NmRasklada, frees the mascot, empties ImjaFaila and resets the counter.
void NewRasklad(Declare& declare, GameScreen& screen);

// What "OK" of the layout-number dialog does: deals layout `number` as a new game.
void chooseRasklad(Declare& declare, GameScreen& screen, std::int32_t number);

}  // namespace zarvel
