// The compact board: its moves against the game's own shift, its goals against the game's
// victory check, and the way in from colour values and pictures.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/Board.h"
#include "engine/NewHodM.h"
#include "solver/Grid.h"
#include "tests/solver/SolverTestBoards.h"
#include "tests/support/FakeScreen.h"

namespace zarvel {
namespace {

using solver::Grid;
using solver::IndexedBoard;
using testing::FakeScreen;

TEST(SolverGrid, EveryMoveShiftsLikeTheGame) {
  Rnd rnd;
  rnd.reseed(77);
  for (int board = 0; board < 5; ++board) {
    const Grid start = testing::scrambled(rnd, 40, board % 2 == 1);
    for (int move = 0; move < solver::kMoveCount; ++move) {
      FakeScreen screen;
      solver::paint(IndexedBoard{start, kCvetaTable}, screen.picPole());
      Sdvig(screen.picPole(), solver::moveOf(move).bar, solver::moveOf(move).line);
      Grid moved = start;
      moved.apply(move);
      FakeScreen expected;
      solver::paint(IndexedBoard{moved, kCvetaTable}, expected.picPole());
      ASSERT_EQ(solver::coloursOf(screen.picPole()), solver::coloursOf(expected.picPole()))
          << "board " << board << " move " << move;
      moved.apply(solver::inverseMove(move));
      ASSERT_EQ(moved, start) << "move " << move << " is not undone by its inverse";
    }
  }
}

TEST(SolverGrid, GoalsAgreeWithTheGamesVictoryCheck) {
  Rnd rnd;
  rnd.reseed(5);
  const std::array<std::uint8_t, kLines> order = {3, 1, 4, 0, 5, 2, 6};
  struct Case {
    const char* name;
    Grid grid;
    bool columns;
    bool rows;
  };
  Grid oneRowMoved = testing::solvedGrid(order, false);
  oneRowMoved.apply(solver::Move{kBarRight, 3});
  Grid columnsShuffled = testing::solvedGrid(order, false);
  columnsShuffled.apply(solver::Move{kBarTop, 2});
  const Case cases[] = {
      {"columns", testing::solvedGrid(order, false), true, false},
      {"rows", testing::solvedGrid(order, true), false, true},
      {"a column moved on solved columns", columnsShuffled, true, false},
      {"a row moved on solved columns", oneRowMoved, false, false},
      {"a deal", solver::dealtGrid(1234), false, false},
      {"a scramble", testing::scrambled(rnd, 9, true), false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.grid.columnsSolved(), c.columns) << c.name;
    EXPECT_EQ(c.grid.rowsSolved(), c.rows) << c.name;
    FakeScreen screen;
    solver::paint(IndexedBoard{c.grid, kCvetaTable}, screen.picPole());
    EXPECT_EQ(boardSolved(screen.picPole()), c.grid.solved()) << c.name;
    EXPECT_EQ(c.grid.transposed().columnsSolved(), c.rows) << c.name;
    EXPECT_EQ(c.grid.transposed().transposed(), c.grid) << c.name;
  }
}

TEST(SolverGrid, CellsGoColumnByColumnLikeADeal) {
  const auto colours = testing::dealtCells(4321);
  FakeScreen screen;
  Declare declare = testing::startedDeclare();
  declare.NmRasklada = 4321;
  NewRasklad(declare, screen);
  const auto board = solver::boardFromPicture(screen.picPole());
  ASSERT_TRUE(board.has_value());
  const Grid expected = solver::dealtGrid(4321);
  for (int column = 0; column < kLines; ++column) {
    for (int row = 0; row < kLines; ++row) {
      EXPECT_EQ(board->palette[board->grid.at(column, row)],
                colours[static_cast<std::size_t>(kLines * column + row)]);
      EXPECT_EQ(board->palette[board->grid.at(column, row)], kCvetaTable[expected.at(column, row)]);
    }
  }
  // The solver numbers a board's colours in the same order, as they first appear.
  std::uint8_t seen = 0;
  for (const std::uint8_t colour : expected.canonical().cells()) {
    EXPECT_LE(colour, seen);
    if (colour == seen) ++seen;
  }
  EXPECT_EQ(seen, kLines);
}

std::array<Colour, kCells> sevenOfEach(const std::array<Colour, kLines>& values) {
  std::array<Colour, kCells> colours{};
  for (std::size_t i = 0; i < colours.size(); ++i) colours[i] = values[(i * 3 + i / 7) % kLines];
  return colours;
}

TEST(SolverGrid, AnySevenValuesWithSevenSquaresEachAreIndexed) {
  // Not the game's colours: a saved game may hold any values.
  const std::array<Colour, kLines> values = {0x000001, 0xABCDEF, 0x000000, 0xFFFFFF,
                                             0x123456, 0x00FF00, 0x777777};
  const auto colours = sevenOfEach(values);
  const auto board = solver::indexColours(colours);
  ASSERT_TRUE(board.has_value());
  EXPECT_EQ(board->palette[board->grid.at(0, 0)], colours[0]);
  EXPECT_EQ(board->palette[0], colours[0]);  // indices in order of first appearance
  for (std::size_t i = 0; i < colours.size(); ++i) {
    EXPECT_EQ(board->palette[board->grid.cells()[i]], colours[i]) << i;
  }
  FakeScreen screen;
  solver::paint(*board, screen.picPole());
  EXPECT_EQ(solver::coloursOf(screen.picPole()), colours);
  EXPECT_TRUE(solver::describeUnsolvable(colours).empty());
}

TEST(SolverGrid, BoardsWithoutSevenOfEachColourAreRefused) {
  const std::array<Colour, kLines> values = {1, 2, 3, 4, 5, 6, 7};
  auto eightOfOne = sevenOfEach(values);  // one value on eight squares, another on six
  *std::find_if(eightOfOne.begin(), eightOfOne.end(),
                [&](Colour c) { return c != eightOfOne[0]; }) = eightOfOne[0];
  auto sixColours = sevenOfEach(values);
  std::replace(sixColours.begin(), sixColours.end(), 7, 6);
  auto eightColours = sevenOfEach(values);
  eightColours[10] = 8;
  std::array<Colour, kCells> oneColour{};
  oneColour.fill(0x0000FF);
  struct Case {
    const char* name;
    std::array<Colour, kCells> colours;
  };
  for (const Case& c : {Case{"eight of one", eightOfOne}, Case{"six colours", sixColours},
                        Case{"eight colours", eightColours}, Case{"one colour", oneColour}}) {
    EXPECT_FALSE(solver::indexColours(c.colours).has_value()) << c.name;
    EXPECT_FALSE(solver::describeUnsolvable(c.colours).empty()) << c.name;
  }
}

}  // namespace
}  // namespace zarvel
