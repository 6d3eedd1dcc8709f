// The solver's compact board: 49 colour indices 0..6, one 64-bit word per column, so that
// a column move is a byte rotation and a row move touches one byte of every word.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/Geometry.h"
#include "engine/Picture.h"

namespace zarvel::solver {

inline constexpr int kMoveCount = 4 * kLines;  // four bars, seven lines each

// A move as the game numbers it: bar 0 top (column up), 1 right (row right), 2 bottom
// (column down), 3 left (row left); line 0..6 from the left or the top.
struct Move {
  std::int32_t bar = 0;
  std::int32_t line = 0;
  friend bool operator==(const Move&, const Move&) = default;
};

// Moves numbered 0..27 as bar * 7 + line; the search works on these numbers.
constexpr int moveIndex(Move move) {
  return move.bar * kLines + move.line;
}
constexpr Move moveOf(int index) {
  return {index / kLines, index % kLines};
}
constexpr int inverseMove(int index) {
  return (index + 2 * kLines) % kMoveCount;
}
constexpr bool isColumnMove(int index) {
  return (index / kLines) % 2 == 0;
}

// Seven bytes of a word turned by one place: byte i takes byte i + 1 and byte 6 takes
// byte 0 (a column moving up), or the other way (a column moving down).
constexpr std::uint64_t turnedDown(std::uint64_t word) {
  return (word >> 8) | ((word & 0xFF) << 48);
}
constexpr std::uint64_t turnedUp(std::uint64_t word) {
  return ((word << 8) & 0x00FFFFFFFFFFFFFFULL) | (word >> 48);
}

class Grid {
 public:
  // Colour indices column by column (cell 7 * column + row), as a deal and a saved game
  // list them. Every index must be below 7.
  static Grid fromCells(const std::array<std::uint8_t, kCells>& cells);

  std::uint8_t at(int column, int row) const {
    return static_cast<std::uint8_t>(columns_[static_cast<std::size_t>(column)] >> (8 * row));
  }
  std::array<std::uint8_t, kCells> cells() const;
  const std::array<std::uint64_t, kLines>& columnWords() const { return columns_; }

  void apply(int move);
  void apply(Move move) { apply(moveIndex(move)); }

  bool columnsSolved() const;
  bool rowsSolved() const;
  bool solved() const { return columnsSolved() || rowsSolved(); }

  // The same board with rows and columns exchanged: row goals become column goals.
  Grid transposed() const;

  // The same board with its colours numbered in the order they first appear, column by
  // column, as a saved game's are: the search breaks ties by colour number, and a board
  // must get the same moves however its colours were numbered.
  Grid canonical() const;

  std::uint64_t hash() const;
  friend bool operator==(const Grid&, const Grid&) = default;

 private:
  std::array<std::uint64_t, kLines> columns_{};  // byte r of word c: column c, row r
};

// A board of arbitrary colour values, indexed: palette[i] is the value of index i, in the
// order in which the values first appear column by column.
struct IndexedBoard {
  Grid grid;
  std::array<Colour, kLines> palette{};
};

// Indexes 49 colour values (column by column); nothing unless the board holds exactly
// seven squares of each of seven distinct values, the only boards that can be solved.
std::optional<IndexedBoard> indexColours(const std::array<Colour, kCells>& colours);

// The colour that keeps a board from being solved: one whose squares are not seven, a colour
// that is not one of the game's seven (a saved game may hold any) before the others. Nothing
// for a board that indexColours takes.
struct OddColour {
  Colour colour = 0;
  int squares = 0;
  int firstCell = 0;      // column by column, as the colours are listed
  bool gamesOwn = false;  // one of the seven colours the game deals
};
std::optional<OddColour> oddColour(const std::array<Colour, kCells>& colours);

// What is wrong with a board that indexColours refuses, in English, for a message.
std::string describeUnsolvable(const std::array<Colour, kCells>& colours);

// The board that layout number `layout` (0..32655) deals in the game, by the game's own
// deal, so that the solver and the game can never disagree on it.
Grid dealtGrid(std::int32_t layout);

// The board picture's 49 cell colours, read at the cell origins, column by column.
std::array<Colour, kCells> coloursOf(const Picture& board);

// The board a picture shows, if it can be solved.
std::optional<IndexedBoard> boardFromPicture(const Picture& picture);

// Paints the board's squares onto a board picture.
void paint(const IndexedBoard& board, Picture& picture);

}  // namespace zarvel::solver
