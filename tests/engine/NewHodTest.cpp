// Moves: exact cyclic shifts, counting, and the victory check with its window.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "engine/Board.h"
#include "engine/MoveHistory.h"
#include "engine/NewGameM.h"
#include "engine/NewHodM.h"
#include "tests/support/FakeScreen.h"

namespace zarvel {
namespace {

using testing::FakeScreen;
using Grid = std::array<std::array<Colour, kLines>, kLines>;  // [column][row]

Grid gridOf(const Picture& board) {
  Grid grid{};
  for (int c = 0; c < kLines; ++c)
    for (int r = 0; r < kLines; ++r) grid[c][r] = cellColour(board, c, r);
  return grid;
}

void paint(Picture& board, const Grid& grid) {
  for (int c = 0; c < kLines; ++c)
    for (int r = 0; r < kLines; ++r) fillSquare(board, cellOrigin(c), cellOrigin(r), grid[c][r]);
}

Grid distinctGrid() {
  Grid grid{};
  for (int c = 0; c < kLines; ++c)
    for (int r = 0; r < kLines; ++r) grid[c][r] = 0x010000 * c + 0x000100 * r + 7;
  return grid;
}

// What a move must do, computed independently: rotate the line by one cell.
Grid rotated(Grid grid, int bar, int line) {
  std::array<Colour, kLines> cells{};
  for (int i = 0; i < kLines; ++i) cells[i] = (bar % 2 == 0) ? grid[line][i] : grid[i][line];
  if (bar == kBarTop || bar == kBarLeft) {
    std::rotate(cells.begin(), cells.begin() + 1, cells.end());
  } else {
    std::rotate(cells.rbegin(), cells.rbegin() + 1, cells.rend());
  }
  for (int i = 0; i < kLines; ++i) ((bar % 2 == 0) ? grid[line][i] : grid[i][line]) = cells[i];
  return grid;
}

TEST(Sdvig, EveryBarAndLineIsACyclicShiftThatLeavesTheRestAlone) {
  for (int bar = 0; bar < kBars; ++bar) {
    for (int line = 0; line < kLines; ++line) {
      FakeScreen screen;
      paint(screen.picPole(), distinctGrid());
      Sdvig(screen.picPole(), bar, line);
      ASSERT_EQ(gridOf(screen.picPole()), rotated(distinctGrid(), bar, line))
          << "bar " << bar << " line " << line;
      // The lines between the squares are never drawn on.
      for (int i = 0; i < kBoardPixels; ++i) {
        ASSERT_EQ(screen.picPole().point(kPitch * line, i), testing::kBlack);
        ASSERT_EQ(screen.picPole().point(i, kPitch * line), testing::kBlack);
      }
    }
  }
}

TEST(Sdvig, TheTopBarMovesAColumnUp) {
  FakeScreen screen;
  paint(screen.picPole(), distinctGrid());
  Sdvig(screen.picPole(), kBarTop, 3);
  EXPECT_EQ(cellColour(screen.picPole(), 3, 0), distinctGrid()[3][1]);
  EXPECT_EQ(cellColour(screen.picPole(), 3, 6), distinctGrid()[3][0]);
  Sdvig(screen.picPole(), kBarRight, 2);
  EXPECT_EQ(cellColour(screen.picPole(), 0, 2), distinctGrid()[6][2]);
}

TEST(NewHod, SevenMovesOrAMoveAndItsOppositeRestoreTheLineAndAllCount) {
  const std::pair<int, int> opposite[] = {{kBarTop, kBarBottom}, {kBarRight, kBarLeft}};
  for (auto [bar, back] : opposite) {
    Declare declare = testing::startedDeclare();
    FakeScreen screen;
    paint(screen.picPole(), distinctGrid());
    declare.TekRjad = 4;
    for (int i = 0; i < kLines; ++i) NewHod(declare, screen, bar);
    EXPECT_EQ(gridOf(screen.picPole()), distinctGrid());
    NewHod(declare, screen, bar);
    NewHod(declare, screen, back);
    EXPECT_EQ(gridOf(screen.picPole()), distinctGrid());
    EXPECT_EQ(declare.NmHod, 9);
    EXPECT_EQ(screen.lblNmHod, 9);
    EXPECT_EQ(screen.victories, 0);
  }
}

// Seven uniform columns of seven different colours.
Grid solvedByColumns() {
  Grid grid{};
  for (int c = 0; c < kLines; ++c) grid[c].fill(kCvetaTable[c]);
  return grid;
}

Grid transposed(const Grid& grid) {
  Grid result{};
  for (int c = 0; c < kLines; ++c)
    for (int r = 0; r < kLines; ++r) result[r][c] = grid[c][r];
  return result;
}

TEST(NewHod, TheMoveThatSolvesTheBoardCagesTheMascotAndShowsTheWindow) {
  struct Case {
    const char* name;
    Grid solved;
    int bar;   // the move that undoes the scramble
    int undo;  // the scrambling move
  };
  const Case cases[] = {
      {"by columns", solvedByColumns(), kBarRight, kBarLeft},
      {"by rows", transposed(solvedByColumns()), kBarTop, kBarBottom},
  };
  for (const Case& c : cases) {
    Declare declare = testing::startedDeclare();
    FakeScreen screen;
    paint(screen.picPole(), c.solved);
    declare.TekRjad = 2;
    Sdvig(screen.picPole(), c.undo, 2);
    declare.NmHod = 10;
    NewHod(declare, screen, c.bar);
    EXPECT_EQ(screen.victories, 1) << c.name;
    EXPECT_EQ(screen.movesShownAtVictory, 11) << c.name;
    EXPECT_TRUE(screen.mascotCagedAtVictory) << c.name;
  }
}

TEST(NewHod, ASolvedBoardOpensTheWindowAgainAfterEveryMoveThatKeepsItSolved) {
  Declare declare = testing::startedDeclare();
  FakeScreen screen;
  paint(screen.picPole(), solvedByColumns());
  declare.TekRjad = 5;
  NewHod(declare, screen, kBarTop);
  NewHod(declare, screen, kBarBottom);
  EXPECT_EQ(screen.victories, 2);
  // A row move mixes seven different colours into every column: no window, still caged.
  NewHod(declare, screen, kBarRight);
  EXPECT_EQ(screen.victories, 2);
  EXPECT_TRUE(screen.caged());
  EXPECT_EQ(declare.NmHod, 3);
}

TEST(NewHod, ANearlySolvedBoardIsNotAVictory) {
  Declare declare = testing::startedDeclare();
  FakeScreen screen;
  Grid grid = solvedByColumns();
  std::swap(grid[0][6], grid[1][6]);  // one pair swapped in the bottom row
  paint(screen.picPole(), grid);
  declare.TekRjad = 3;
  NewHod(declare, screen, kBarTop);
  EXPECT_EQ(screen.victories, 0);
  EXPECT_FALSE(screen.caged());
  EXPECT_FALSE(boardSolved(screen.picPole()));
}

TEST(NewHod, TheLargestMoveCountDoesNotOverflow) {
  Declare declare = testing::startedDeclare();
  FakeScreen screen;
  paint(screen.picPole(), distinctGrid());
  declare.NmHod = std::numeric_limits<std::int32_t>::max();
  NewHod(declare, screen, kBarTop);
  EXPECT_EQ(declare.NmHod, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(screen.lblNmHod, std::numeric_limits<std::int32_t>::max());
}

TEST(NewHod, AWonGameIsFreedAgainByTheNextDeal) {
  Declare declare = testing::startedDeclare();
  FakeScreen screen;
  paint(screen.picPole(), solvedByColumns());
  NewHod(declare, screen, kBarTop);
  ASSERT_TRUE(screen.caged());
  NewRasklad(declare, screen);
  EXPECT_FALSE(screen.caged());
}

// Undo and redo, from a board one move (row 2 to the left) from solved by columns, with 7
// moves counted. Each case runs a script and says what the game must show afterwards.
TEST(MoveHistory, UndoAndRedoRestoreBoardCounterAndMascot) {
  enum Op { Move, Undo, Redo, UndoDuringItsVictory };
  struct Step {
    Op op;
    int bar = 0;
    int line = 0;
    bool acts = true;  // what undo or redo answers
  };
  struct Case {
    const char* name;
    std::vector<Step> script;
    std::vector<std::pair<int, int>> onBoard;  // the moves the board must show, in order
    std::int32_t moves;
    bool caged;
    int victories;
    std::int32_t counted = 7;  // before the script
  };
  constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();
  const Step win{Move, kBarLeft, 2};
  const Case cases[] = {
      {"undo the win", {win, {Undo}}, {}, 7, false, 1},
      {"redo the win", {win, {Undo}, {Redo}}, {{kBarLeft, 2}}, 8, true, 2},
      {"nothing more to undo", {win, {Undo}, {Undo, 0, 0, false}}, {}, 7, false, 1},
      {"nothing to redo", {win, {Redo, 0, 0, false}}, {{kBarLeft, 2}}, 8, true, 1},
      {"a new move drops the redo",
       {{Move, kBarTop, 1},
        {Move, kBarRight, 4},
        {Undo},
        {Move, kBarBottom, 6},
        {Redo, 0, 0, false}},
       {{kBarTop, 1}, {kBarBottom, 6}},
       9,
       false,
       0},
      {"undo back to the start, redo all",
       {{Move, kBarTop, 1},
        {Move, kBarRight, 4},
        {Undo},
        {Undo},
        {Redo},
        {Redo},
        {Redo, 0, 0, false}},
       {{kBarTop, 1}, {kBarRight, 4}},
       9,
       false,
       0},
      {"a move after the win stays caged when undone",
       {win, {Move, kBarTop, 0}, {Undo}},
       {{kBarLeft, 2}},
       8,
       true,
       2},
      {"an undo while the victory window is open takes the win back",
       {{UndoDuringItsVictory, kBarLeft, 2}},
       {},
       7,
       false,
       1},
      {"the largest count stays when a move is undone",
       {{Move, kBarTop, 1}, {Undo}},
       {},
       kLargest,
       false,
       0,
       kLargest},
  };
  const Grid nearlySolved = rotated(solvedByColumns(), kBarRight, 2);
  for (const Case& c : cases) {
    Declare declare = testing::startedDeclare();
    FakeScreen screen;
    paint(screen.picPole(), nearlySolved);
    declare.NmHod = c.counted;
    MoveHistory history;
    for (const Step& step : c.script) {
      if (step.op == Move || step.op == UndoDuringItsVictory) {
        if (step.op == UndoDuringItsVictory)
          screen.duringVictory = [&] { EXPECT_TRUE(history.undo(declare, screen)) << c.name; };
        history.play(declare, screen, step.bar, step.line);
        screen.duringVictory = nullptr;
      } else {
        const bool acted =
            step.op == Undo ? history.undo(declare, screen) : history.redo(declare, screen);
        EXPECT_EQ(acted, step.acts) << c.name;
      }
    }
    Grid expected = nearlySolved;
    for (const auto& [bar, line] : c.onBoard) expected = rotated(expected, bar, line);
    EXPECT_EQ(gridOf(screen.picPole()), expected) << c.name;
    EXPECT_EQ(declare.NmHod, c.moves) << c.name;
    EXPECT_EQ(screen.lblNmHod, c.moves) << c.name;
    EXPECT_EQ(screen.caged(), c.caged) << c.name;
    EXPECT_EQ(screen.victories, c.victories) << c.name;
  }
}

}  // namespace
}  // namespace zarvel
