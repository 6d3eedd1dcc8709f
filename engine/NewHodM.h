// A move: one row or column shifts cyclically by one cell towards the bar it was made
// on, the move is counted, and a solved board cages the mascot and celebrates.
#pragma once

#include <cstdint>

#include "engine/Declare.h"
#include "engine/GameScreen.h"

namespace zarvel {

// Shifts line `line` (0..6) by one cell in the direction of `bar`'s arrows: bar 0 moves a
// column up, bar 1 a row right, bar 2 a column down, bar 3 a row left.
void Sdvig(Picture& board, std::int32_t bar, std::int32_t line);

// True when every column, or else every row, is one colour; read at the cells' origins.
bool boardSolved(const Picture& board);

// One complete move on line TekRjad; on a solved board it returns only after the
// victory window has been closed.
void NewHod(Declare& declare, GameScreen& screen, std::int32_t bar);

// The same move on line `line`, for a move that does not come from the pointer (a redo),
// which must leave TekRjad to the arrow bars.
void moveLine(Declare& declare, GameScreen& screen, std::int32_t bar, std::int32_t line);

}  // namespace zarvel
