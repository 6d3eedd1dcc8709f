// The compact board: moves as word and byte rotations, the two goals, and the way in
// from colour values and pictures.
#include "solver/Grid.h"

#include <algorithm>

#include "engine/Board.h"
#include "engine/Declare.h"
#include "engine/NewGameM.h"

namespace zarvel::solver {
namespace {

constexpr std::uint64_t kEveryByte = 0x0001010101010101ULL;

constexpr std::uint64_t rowMask(int row) {
  return std::uint64_t{0xFF} << (8 * row);
}

}  // namespace

Grid Grid::fromCells(const std::array<std::uint8_t, kCells>& cells) {
  Grid grid;
  for (int column = 0; column < kLines; ++column) {
    std::uint64_t word = 0;
    for (int row = 0; row < kLines; ++row) {
      word |= std::uint64_t{cells[static_cast<std::size_t>(kLines * column + row)]} << (8 * row);
    }
    grid.columns_[static_cast<std::size_t>(column)] = word;
  }
  return grid;
}

std::array<std::uint8_t, kCells> Grid::cells() const {
  std::array<std::uint8_t, kCells> result{};
  for (int column = 0; column < kLines; ++column) {
    for (int row = 0; row < kLines; ++row) {
      result[static_cast<std::size_t>(kLines * column + row)] = at(column, row);
    }
  }
  return result;
}

void Grid::apply(int move) {
  const int line = move % kLines;
  auto& c = columns_;
  switch (move / kLines) {
    case kBarTop:
      c[static_cast<std::size_t>(line)] = turnedDown(c[static_cast<std::size_t>(line)]);
      break;
    case kBarBottom:
      c[static_cast<std::size_t>(line)] = turnedUp(c[static_cast<std::size_t>(line)]);
      break;
    case kBarRight: {  // column x takes column x - 1
      const std::uint64_t mask = rowMask(line);
      const std::uint64_t last = c[6] & mask;
      for (std::size_t x = 6; x > 0; --x) c[x] = (c[x] & ~mask) | (c[x - 1] & mask);
      c[0] = (c[0] & ~mask) | last;
      break;
    }
    default: {  // left: column x takes column x + 1
      const std::uint64_t mask = rowMask(line);
      const std::uint64_t first = c[0] & mask;
      for (std::size_t x = 0; x < 6; ++x) c[x] = (c[x] & ~mask) | (c[x + 1] & mask);
      c[6] = (c[6] & ~mask) | first;
      break;
    }
  }
}

bool Grid::columnsSolved() const {
  return std::all_of(columns_.begin(), columns_.end(),
                     [](std::uint64_t word) { return word == (word & 0xFF) * kEveryByte; });
}

bool Grid::rowsSolved() const {
  // Every row is one colour exactly when all columns read the same from top to bottom.
  return std::all_of(columns_.begin(), columns_.end(),
                     [this](std::uint64_t word) { return word == columns_[0]; });
}

Grid Grid::transposed() const {
  Grid result;
  for (int column = 0; column < kLines; ++column) {
    for (int row = 0; row < kLines; ++row) {
      result.columns_[static_cast<std::size_t>(row)] |= std::uint64_t{at(column, row)}
                                                        << (8 * column);
    }
  }
  return result;
}

Grid Grid::canonical() const {
  constexpr std::uint8_t kUnseen = 0xFF;
  std::array<std::uint8_t, kLines> number{};
  number.fill(kUnseen);
  std::uint8_t next = 0;
  std::array<std::uint8_t, kCells> renumbered = cells();
  for (std::uint8_t& colour : renumbered) {
    if (number[colour] == kUnseen) number[colour] = next++;
    colour = number[colour];
  }
  return fromCells(renumbered);
}

std::uint64_t Grid::hash() const {
  std::uint64_t h = 0x9E3779B97F4A7C15ULL;
  for (const std::uint64_t word : columns_) {
    h ^= word;
    h *= 0xBF58476D1CE4E5B9ULL;
    h ^= h >> 31;
  }
  return h;
}

namespace {

struct Tally {
  std::array<Colour, kCells> values{};
  std::array<int, kCells> counts{};
  int distinct = 0;
};

// The distinct values in order of first appearance, with their counts.
Tally tally(const std::array<Colour, kCells>& colours) {
  Tally t;
  for (const Colour colour : colours) {
    const auto end = t.values.begin() + t.distinct;
    const auto found = std::find(t.values.begin(), end, colour);
    if (found == end) {
      t.values[static_cast<std::size_t>(t.distinct)] = colour;
      t.counts[static_cast<std::size_t>(t.distinct++)] = 1;
    } else {
      ++t.counts[static_cast<std::size_t>(found - t.values.begin())];
    }
  }
  return t;
}

}  // namespace

std::optional<IndexedBoard> indexColours(const std::array<Colour, kCells>& colours) {
  const Tally t = tally(colours);
  if (t.distinct != kLines) return std::nullopt;
  if (!std::all_of(t.counts.begin(), t.counts.begin() + kLines,
                   [](int count) { return count == kLines; })) {
    return std::nullopt;
  }
  IndexedBoard board;
  std::copy(t.values.begin(), t.values.begin() + kLines, board.palette.begin());
  std::array<std::uint8_t, kCells> cells{};
  for (std::size_t i = 0; i < cells.size(); ++i) {
    cells[i] = static_cast<std::uint8_t>(
        std::find(board.palette.begin(), board.palette.end(), colours[i]) - board.palette.begin());
  }
  board.grid = Grid::fromCells(cells);
  return board;
}

std::optional<OddColour> oddColour(const std::array<Colour, kCells>& colours) {
  if (indexColours(colours)) return std::nullopt;
  const Tally t = tally(colours);
  std::optional<OddColour> odd;
  for (std::size_t i = 0; i < static_cast<std::size_t>(t.distinct); ++i) {
    if (t.counts[i] == kLines) continue;
    const int first =
        static_cast<int>(std::find(colours.begin(), colours.end(), t.values[i]) - colours.begin());
    const bool gamesOwn =
        std::find(kCvetaTable.begin(), kCvetaTable.end(), t.values[i]) != kCvetaTable.end();
    const OddColour found{t.values[i], t.counts[i], first, gamesOwn};
    if (!gamesOwn) return found;
    if (!odd) odd = found;
  }
  return odd;
}

std::string describeUnsolvable(const std::array<Colour, kCells>& colours) {
  const Tally t = tally(colours);
  if (t.distinct != kLines) {
    return "the board has " + std::to_string(t.distinct) +
           " different colours; it needs seven colours with seven squares each";
  }
  for (int i = 0; i < kLines; ++i) {
    const int count = t.counts[static_cast<std::size_t>(i)];
    if (count != kLines) {
      return "colour " + std::to_string(t.values[static_cast<std::size_t>(i)]) + " is on " +
             std::to_string(count) +
             " squares; a board needs seven colours with seven squares each";
    }
  }
  return {};
}

Grid dealtGrid(std::int32_t layout) {
  Rnd rnd;
  rnd.reseed(layout);
  const auto indices = dealColourIndices(rnd);
  std::array<std::uint8_t, kCells> cells{};
  std::transform(indices.begin(), indices.end(), cells.begin(),
                 [](std::int32_t index) { return static_cast<std::uint8_t>(index); });
  return Grid::fromCells(cells);
}

std::array<Colour, kCells> coloursOf(const Picture& board) {
  std::array<Colour, kCells> colours{};
  for (int column = 0; column < kLines; ++column) {
    for (int row = 0; row < kLines; ++row) {
      colours[static_cast<std::size_t>(kLines * column + row)] = cellColour(board, column, row);
    }
  }
  return colours;
}

std::optional<IndexedBoard> boardFromPicture(const Picture& picture) {
  return indexColours(coloursOf(picture));
}

void paint(const IndexedBoard& board, Picture& picture) {
  for (int column = 0; column < kLines; ++column) {
    for (int row = 0; row < kLines; ++row) {
      fillSquare(picture, cellOrigin(column), cellOrigin(row),
                 board.palette[board.grid.at(column, row)]);
    }
  }
}

}  // namespace zarvel::solver
