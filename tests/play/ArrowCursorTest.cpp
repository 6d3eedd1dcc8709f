// The keyboard cursor's ring of arrows, the names a screen reader gives the things on it and
// the symbols over the squares.
#include <gtest/gtest.h>

#include <set>

#include "engine/Board.h"
#include "engine/Declare.h"
#include "play/AccessibleNames.h"
#include "play/ArrowCursor.h"
#include "play/BoardSymbols.h"

namespace zarvel {
namespace {

using K = CursorKey;

TEST(ArrowCursor, KeysMoveAlongTheBarsRoundTheCornersAndAcrossTheBoard) {
  struct Case {
    Arrow from;
    K key;
    Arrow to;
  };
  const Case cases[] = {
      // Along each bar, and keys across a bar going nowhere.
      {{0, 3}, K::Right, {0, 4}},
      {{0, 3}, K::Left, {0, 2}},
      {{0, 3}, K::Up, {0, 3}},
      {{0, 3}, K::Down, {0, 3}},
      {{1, 3}, K::Down, {1, 4}},
      {{1, 3}, K::Right, {1, 3}},
      {{2, 3}, K::Left, {2, 2}},
      {{2, 3}, K::Up, {2, 3}},
      {{3, 3}, K::Up, {3, 2}},
      {{3, 3}, K::Left, {3, 3}},
      // The eight corners, both ways round.
      {{0, 6}, K::Right, {1, 0}},
      {{1, 6}, K::Down, {2, 6}},
      {{2, 0}, K::Left, {3, 6}},
      {{3, 0}, K::Up, {0, 0}},
      {{1, 0}, K::Up, {0, 6}},
      {{2, 6}, K::Right, {1, 6}},
      {{3, 6}, K::Down, {2, 0}},
      {{0, 0}, K::Left, {3, 0}},
      // Tab and Shift+Tab: the same line the other way.
      {{0, 2}, K::Tab, {2, 2}},
      {{2, 2}, K::BackTab, {0, 2}},
      {{1, 5}, K::Tab, {3, 5}},
      {{3, 0}, K::BackTab, {1, 0}},
  };
  for (const Case& c : cases) {
    const Arrow to = stepCursor(c.from, c.key);
    EXPECT_EQ(to, c.to) << "from " << c.from.bar << "/" << c.from.line << " by key "
                        << static_cast<int>(c.key) << " to " << to.bar << "/" << to.line;
  }
}

TEST(ArrowCursor, OneWayRoundTheFrameVisitsEveryArrowOnce) {
  // The key that keeps going clockwise on each bar.
  constexpr K kClockwise[] = {K::Right, K::Down, K::Left, K::Up};
  bool seen[kBars][kLines] = {};
  Arrow at;
  for (int step = 0; step < kBars * kLines; ++step) {
    EXPECT_FALSE(seen[at.bar][at.line]) << at.bar << "/" << at.line;
    seen[at.bar][at.line] = true;
    at = stepCursor(at, kClockwise[at.bar]);
  }
  EXPECT_EQ(at, Arrow{});
}

TEST(AccessibleNames, ArrowsColoursAndTheMascot) {
  EXPECT_EQ(arrowName({0, 0}), "Столбец 1 вверх");
  EXPECT_EQ(arrowName({1, 6}), "Строка 7 вправо");
  EXPECT_EQ(arrowName({2, 3}), "Столбец 4 вниз");
  EXPECT_EQ(arrowName({3, 1}), "Строка 2 влево");
  const char* colours[] = {"красный", "оранжевый", "жёлтый",    "зелёный",
                           "голубой", "синий",     "фиолетовый"};
  for (std::size_t index = 0; index < kCvetaTable.size(); ++index)
    EXPECT_EQ(colourName(kCvetaTable[index]), colours[index]);
  EXPECT_EQ(colourName(0x563412), "цвет #123456") << "red is the lowest byte";
  EXPECT_EQ(mascotName(true), "Гном в клетке");
  EXPECT_EQ(mascotName(false), "Гном на свободе");
}

// Each colour of the table its own shape on every square of it, read where the engine reads;
// a colour from a hand-edited saved game none.
TEST(BoardSymbols, EveryColourItsOwnShapeOnEachOfItsSquaresAndAStrangeColourNone) {
  Picture board(kBoardPixels, kBoardPixels, 0);
  for (int row = 0; row < kLines; ++row)
    for (int column = 0; column < kLines; ++column)
      fillSquare(board, cellOrigin(column), cellOrigin(row),
                 kCvetaTable[static_cast<std::size_t>((column + 2 * row) % kColours)]);
  fillSquare(board, cellOrigin(3), cellOrigin(2), 0x123456);
  const std::vector<SymbolPlace> places = boardSymbols(board);
  ASSERT_EQ(places.size(), kCells - 1U);
  std::set<int> shapes;
  for (const auto [column, row, shape] : places) {
    EXPECT_FALSE(column == 3 && row == 2);
    EXPECT_EQ(shape, kShapeOfColour[static_cast<std::size_t>((column + 2 * row) % kColours)]);
    shapes.insert(static_cast<int>(shape));
  }
  EXPECT_EQ(shapes.size(), static_cast<std::size_t>(kColours));
  EXPECT_EQ(shapeOf(0x123456), std::nullopt);
}

// A press at the time of the same key's release is the keyboard's repeat, marked or not.
TEST(BoardSymbols, TheKeyTellsANewPressFromTheRepeatOfAHeldOne) {
  struct Case {
    std::uint32_t releasedKey;
    std::int64_t releasedMs, pressedMs;
    bool marked, newPress;
  };
  const Case cases[] = {
      {39, 1000, 1000, false, false}, {39, 1000, 1003, false, false}, {39, 1000, 1180, false, true},
      {40, 1000, 1000, false, true},  {39, 1000, 1180, true, false},  {39, 0, 0, false, true},
  };
  for (const Case& c : cases) {
    SymbolsKey key;
    EXPECT_TRUE(key.press(39, 400, false)) << "the first press";
    key.release(c.releasedKey, c.releasedMs);
    EXPECT_EQ(key.press(39, c.pressedMs, c.marked), c.newPress)
        << c.releasedMs << " " << c.pressedMs;
  }
}

}  // namespace
}  // namespace zarvel
