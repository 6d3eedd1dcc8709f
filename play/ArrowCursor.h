// The keyboard's arrow cursor: which arrow a key takes it to. The 28 arrows form a ring
// round the board (the top bar from left to right, the right bar downwards, the bottom bar
// from right to left, the left bar upwards), so the arrow keys reach every arrow; Tab
// crosses the board to the arrow that moves the same line the other way.
#pragma once

#include <cstdint>

#include "engine/Geometry.h"

namespace zarvel {

// An arrow of the four bars: its bar (kBarTop..kBarLeft) and its row or column (0..6).
struct Arrow {
  std::int32_t bar = kBarTop;
  std::int32_t line = 0;
  friend bool operator==(const Arrow&, const Arrow&) = default;
};

enum class CursorKey { Left, Right, Up, Down, Tab, BackTab };

// Where `key` takes the cursor from `from`: along its bar, round the corner past a bar's
// end, across to the opposite bar for Tab; `from` itself for a key across its bar.
Arrow stepCursor(Arrow from, CursorKey key);

}  // namespace zarvel
