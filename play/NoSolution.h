// What H tells the player on a board it cannot solve: a saved game may hold any colours in
// any numbers, and the solver sorts only seven colours of seven squares each.
#pragma once

#include <array>
#include <optional>

#include "engine/Geometry.h"
#include "files/MsgBox.h"

namespace zarvel {

// The message that says why the board of `colours` (column by column) has no solution the
// game can find; nothing for a board it can solve.
std::optional<MsgBoxRequest> noSolutionMessage(const std::array<Colour, kCells>& colours);

}  // namespace zarvel
