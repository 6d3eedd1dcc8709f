// The beam search behind the exact one: moves (numbered 0..27) that solve the board.
#pragma once

#include <optional>
#include <vector>

#include "solver/Grid.h"

namespace zarvel::solver {

// Nothing if no board of the beam is solved within its deepest layer.
std::optional<std::vector<int>> beamSearch(const Grid& start, int width);

}  // namespace zarvel::solver
