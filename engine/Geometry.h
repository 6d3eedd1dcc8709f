// Pixel geometry of the board and the bars around it. Every rule that reads or paints
// a square goes through these numbers, so they are named once here.
#pragma once

#include <cstdint>

namespace zarvel {

// A colour value as the board stores it: 24-bit RGB as 0x00BBGGRR, red in the lowest byte.
using Colour = std::int32_t;

inline constexpr int kLines = 7;          // rows and columns of the board
inline constexpr int kPitch = 40;         // distance between neighbouring cell origins
inline constexpr int kSquare = 39;        // a cell's filled square is kSquare x kSquare
inline constexpr int kBoardPixels = 281;  // 7 squares + 8 one-pixel lines on each axis
inline constexpr int kColours = 7;        // colours in the table, squares of each colour
inline constexpr int kCells = kLines * kLines;

// The four arrow bars, by their index in picStrelki: above, right of, below and left of the
// board.
enum Bar : std::int32_t { kBarTop = 0, kBarRight = 1, kBarBottom = 2, kBarLeft = 3 };
inline constexpr int kBars = 4;

// A pixel position.
struct Point {
  int x = 0;
  int y = 0;
};

// A rectangle on a window or a picture: its top-left pixel and its size.
struct Box {
  int left;
  int top;
  int width;
  int height;
};

// Top-left pixel of the square of row or column `index` (0..6) on its axis.
constexpr int cellOrigin(int index) {
  return 1 + kPitch * index;
}

}  // namespace zarvel
