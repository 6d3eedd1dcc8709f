// Shapes over the board's squares, one for each colour of the table, so that a player who
// cannot tell two colours apart tells their shapes. Both front ends paint them over the board
// as the screen shows it, never into the board's picture, which stays what the engine reads.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/Geometry.h"
#include "engine/Picture.h"
#include "play/KeyRepeat.h"

namespace zarvel {

// The shapes, in the order of their tiles in the symbols' picture.
enum class Shape : int { Circle, Triangle, Square, Diamond, Star, Cross, Heart };
inline constexpr int kShapes = 7;

// The shape of each colour of the table, by its index (red to violet). The colours that the
// commonest colour blindness mixes up (red with orange; orange, yellow and green with each
// other; blue with violet) get shapes that are least alike.
inline constexpr std::array<Shape, kColours> kShapeOfColour = {
    Shape::Circle,    // red
    Shape::Triangle,  // orange
    Shape::Square,    // yellow
    Shape::Star,      // green
    Shape::Diamond,   // light blue
    Shape::Cross,     // blue
    Shape::Heart,     // violet
};

// A tile of the symbols' picture covers a whole square and lands on its origin; outside the
// shape it is clear.
inline constexpr int kSymbolTile = kSquare;

// The shape over a square of `colour`; none for a colour outside the table, which only a saved
// game edited by hand brings.
std::optional<Shape> shapeOf(Colour colour);

// A symbol to paint: the cell it covers, its tile landing on the cell's origin, and its shape.
struct SymbolPlace {
  int column;
  int row;
  Shape shape;
};

// The symbols of `board` as it is drawn now, each cell read at its origin as the engine reads
// it; a cell of a colour outside the table gets none.
std::vector<SymbolPlace> boardSymbols(const Picture& board);

// The symbols' key shows or hides them once however long it is held (play/KeyRepeat.h).
class SymbolsKey {
 public:
  // Keys by any number the front end tells them apart by; times in milliseconds, 0 when the
  // key came without one (handed on by a screen reader), which leaves only the mark to go by.
  void release(std::uint32_t key, std::int64_t timeMs) { released_ = KeyRelease{key, timeMs}; }
  // True for a new press, false for the keyboard's repeat.
  bool press(std::uint32_t key, std::int64_t timeMs, bool markedRepeat);

 private:
  std::optional<KeyRelease> released_;
};

}  // namespace zarvel
