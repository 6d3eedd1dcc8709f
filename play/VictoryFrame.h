// The arithmetic of the victory window: the size and place of its text area and where
// each letter and its shadow go in one frame of the jumping "ПОБЕДА!!!".
#pragma once

#include <vector>

#include "engine/Geometry.h"
#include "engine/Rnd.h"

namespace zarvel {

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
int roundHalfEven(double value);

// Width of the text area: the measured text width plus 4, rounded.
int victoryAreaWidth(double measuredTextWidth);

// Left edge that centres an area of `areaWidth` in a client area of `clientWidth`.
int victoryAreaLeft(int clientWidth, int areaWidth);

struct VictoryFrame {
  std::vector<int> Skachki;   // per letter: 0, 10 or 20 pixels down
  std::vector<Point> shadow;  // top-left corner of each letter's grey shadow
  std::vector<Point> face;    // top-left corner of each green letter
};

inline constexpr int kShadowOffset = 4;
inline constexpr int kJumpStep = 10;
inline constexpr int kJumpHeights = 3;

// One frame for letters of the given widths, drawing the offsets from `rnd`; letters
// advance by their own rounded widths.
VictoryFrame victoryFrame(Rnd& rnd, const std::vector<double>& letterWidths);

}  // namespace zarvel
