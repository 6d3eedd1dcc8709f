// The solver: every solution is played with the game's own moves; boards a few moves from
// solved get a shortest solution; any board with seven of each colour gets one.
#include <gtest/gtest.h>

#include "engine/NewGameM.h"
#include "solver/Solver.h"
#include "tests/solver/SolverTestBoards.h"

namespace zarvel {
namespace {

using solver::Grid;
using solver::Move;
using solver::solve;
using solver::SolverSettings;

// Deals spread over the whole range of layout numbers.
std::vector<std::int32_t> someLayouts(int count) {
  std::vector<std::int32_t> layouts;
  for (int i = 0; i < count; ++i)
    layouts.push_back(static_cast<std::int32_t>(i * 32655LL / (count - 1)));
  return layouts;
}

void expectSolvesInGame(const Grid& grid, const std::vector<Move>& moves, const std::string& what) {
  const testing::Played played = testing::playInGame(grid, moves);
  EXPECT_TRUE(played.solved) << what;
  // The solution stops at the first solved board: the game celebrates once, at the end.
  EXPECT_EQ(played.victories, 1) << what;
  EXPECT_EQ(played.movesAtVictory, static_cast<std::int32_t>(moves.size())) << what;
}

TEST(Solver, SolutionsOfDealsSolveTheBoardWithTheGamesMoves) {
  SolverSettings quick;
  quick.beamWidth = 60;  // the checks are the point here, not the shortest answers
  for (const std::int32_t layout : someLayouts(300)) {
    const Grid grid = solver::dealtGrid(layout);
    const solver::Solution solution = solve(grid, quick);
    expectSolvesInGame(grid, solution.moves, "layout " + std::to_string(layout));
    EXPECT_GE(static_cast<int>(solution.moves.size()), solution.lowerBound) << layout;
  }
}

// A beam of a few boards turns away more of their children as seen before than it
// keeps, and so ranks past the children it first expected to need.
TEST(Solver, NarrowBeamsRankPastTheChildrenTheyExpectedToNeed) {
  for (const int width : {1, 2, 3, 5}) {
    SolverSettings narrow;
    narrow.beamWidth = width;
    for (const std::int32_t layout : someLayouts(12)) {
      const Grid grid = solver::dealtGrid(layout);
      const solver::Solution solution = solve(grid, narrow);
      expectSolvesInGame(grid, solution.moves, "layout " + std::to_string(layout));
      EXPECT_EQ(solve(grid, narrow).moves, solution.moves) << layout;
    }
  }
}

// The search breaks ties by colour number; the game numbers a board's colours its own way.
TEST(Solver, ColoursNumberedAnyWayGetTheSameMoves) {
  SolverSettings quick;
  quick.beamWidth = 60;
  for (const std::int32_t layout : someLayouts(12)) {
    const Grid deal = solver::dealtGrid(layout);
    auto cells = deal.cells();
    for (std::uint8_t& colour : cells) colour = static_cast<std::uint8_t>(kLines - 1 - colour);
    EXPECT_EQ(solve(Grid::fromCells(cells), quick).moves, solve(deal, quick).moves) << layout;
  }
}

// Every 512th deal with the settings a player gets: every answer valid, the same each time,
// and no longer in all than today's answers, give or take a tenth of a move a deal. A
// change that lengthens the answers while every one still solves its board fails here.
TEST(Solver, DealsGetValidAnswersNoLongerThanTodays) {
  constexpr int kTodaysMoves = 1979;  // in all, over the 64 deals: a mean of 30.92
#ifdef ZARVEL_SANITIZED
  // A search at full width takes half a second under the sanitizers: two deals show how it
  // uses memory, and the lengths are for the optimised build to check.
  constexpr std::int32_t kLayouts = 1024;
#else
  constexpr std::int32_t kLayouts = kLayoutCount;
#endif
  int moves = 0;
  int deals = 0;
  for (std::int32_t layout = 0; layout < kLayouts; layout += 512) {
    const Grid grid = solver::dealtGrid(layout);
    const solver::Solution solution = solve(grid);
    expectSolvesInGame(grid, solution.moves, "layout " + std::to_string(layout));
    if (layout < 1024) {
      EXPECT_EQ(solve(grid).moves, solution.moves) << layout;
    }
    moves += static_cast<int>(solution.moves.size());
    ++deals;
  }
  if (kLayouts < kLayoutCount) GTEST_SKIP() << "lengths not checked under the sanitizers";
  EXPECT_LE(moves, kTodaysMoves + deals / 10) << "mean " << static_cast<double>(moves) / deals;
}

TEST(Solver, BoardsAFewMovesFromSolvedGetAtMostThatManyMoves) {
  Rnd rnd;
  rnd.reseed(2024);
  for (int k = 1; k <= 4; ++k) {
    for (int board = 0; board < 60; ++board) {
      const bool byRows = board % 2 == 1;
      const Grid grid = testing::scrambled(rnd, k, byRows);
      const solver::Solution solution = solve(grid);
      const std::string what = std::to_string(k) + " moves, board " + std::to_string(board);
      EXPECT_LE(static_cast<int>(solution.moves.size()), k) << what;
      EXPECT_LE(solver::lowerBound(grid), static_cast<int>(solution.moves.size())) << what;
      if (grid.solved()) {
        EXPECT_TRUE(solution.moves.empty()) << what;
      } else {
        EXPECT_TRUE(solution.shortest) << what;
        expectSolvesInGame(grid, solution.moves, what);
      }
    }
  }
}

TEST(Solver, ASolvedBoardNeedsNoMoves) {
  for (const bool byRows : {false, true}) {
    const Grid grid = testing::solvedGrid({6, 5, 4, 3, 2, 1, 0}, byRows);
    const solver::Solution solution = solve(grid);
    EXPECT_TRUE(solution.moves.empty());
    EXPECT_TRUE(solution.shortest);
    EXPECT_EQ(solver::lowerBound(grid), 0);
  }
}

TEST(Solver, BoardsNearTheRowGoalAreSolvedByRows) {
  Rnd rnd;
  rnd.reseed(99);
  for (int board = 0; board < 20; ++board) {
    const Grid grid = testing::scrambled(rnd, 3 + board % 6, true);
    if (grid.solved()) continue;
    const solver::Solution solution = solve(grid);
    Grid after = grid;
    for (const Move& move : solution.moves) after.apply(move);
    EXPECT_TRUE(after.rowsSolved()) << board;
    expectSolvesInGame(grid, solution.moves, "board " + std::to_string(board));
  }
}

TEST(Solver, ShortestSolutionFindsNothingBeyondItsDepth) {
  const Grid deal = solver::dealtGrid(31337);
  EXPECT_FALSE(solver::shortestSolution(deal, 3).has_value());
  Grid twoAway = testing::solvedGrid({0, 1, 2, 3, 4, 5, 6}, false);
  twoAway.apply(Move{kBarLeft, 2});
  twoAway.apply(Move{kBarTop, 4});
  EXPECT_FALSE(solver::shortestSolution(twoAway, 1).has_value());
  const auto found = solver::shortestSolution(twoAway, 2);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->size(), 2U);
  expectSolvesInGame(twoAway, *found, "two moves away");
}

TEST(Solver, ThreeSquareCyclesSolveAnyBoard) {
  Rnd rnd;
  rnd.reseed(7);
  std::vector<Grid> boards = {solver::dealtGrid(0), solver::dealtGrid(20000)};
  for (int board = 0; board < 8; ++board) boards.push_back(testing::scrambled(rnd, 200, board % 2));
  for (std::size_t i = 0; i < boards.size(); ++i) {
    const std::vector<Move> moves = solver::cycleSolution(boards[i]);
    Grid after = boards[i];
    for (const Move& move : moves) after.apply(move);
    EXPECT_TRUE(after.solved()) << i;
    // It stops at the first solved board, though its last setup moves would keep it solved.
    expectSolvesInGame(boards[i], moves, "board " + std::to_string(i));
  }
}

TEST(Solver, LowerBoundNeverExceedsAKnownDistance) {
  Rnd rnd;
  rnd.reseed(11);
  for (int k = 1; k <= 12; ++k) {
    for (int board = 0; board < 20; ++board) {
      EXPECT_LE(solver::lowerBound(testing::scrambled(rnd, k, board % 2)), k);
    }
  }
  EXPECT_GE(solver::lowerBound(solver::dealtGrid(555)), 1);
}

TEST(Solver, LowerBoundCountsHowFarTheSquaresTravel) {
  // Lines turned by 3, 2 and 1 places: every square is where its colour is missing, and a
  // move carries seven squares one place each, so no fewer than six moves will do.
  for (const bool byRows : {false, true}) {
    Grid grid = testing::solvedGrid({3, 1, 4, 0, 5, 2, 6}, byRows);
    for (const auto& [line, turns] : {std::pair{1, 3}, std::pair{4, 2}, std::pair{6, 1}}) {
      for (int i = 0; i < turns; ++i) grid.apply(Move{byRows ? kBarTop : kBarRight, line});
    }
    EXPECT_EQ(solver::lowerBound(grid), 6) << byRows;
    EXPECT_EQ(solve(grid).moves.size(), 6U) << byRows;
  }
}

}  // namespace
}  // namespace zarvel
