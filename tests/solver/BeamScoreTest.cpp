// The beam's score: a goal kept up to date move by move is the goal scored afresh, a
// child's score is the score of the child made, and the AVX2 scoring agrees with the
// portable one.
#include <gtest/gtest.h>

#include <string>

#include "solver/BeamScore.h"
#include "tests/solver/SolverTestBoards.h"

namespace zarvel {
namespace {

using solver::Goal;
using solver::Grid;
using Scores = std::array<int, solver::kMoveCount>;

Goal scoredAfresh(const Grid& oriented, const solver::Targets& targets) {
  Goal goal;
  goal.targets = targets;
  solver::rescore(oriented, goal);
  return goal;
}

void expectSameGoal(const Goal& kept, const Goal& fresh, const std::string& what) {
  EXPECT_EQ(kept.offsets, fresh.offsets) << what;
  EXPECT_EQ(kept.rows, fresh.rows) << what;
  EXPECT_EQ(kept.rowScores, fresh.rowScores) << what;
  EXPECT_EQ(kept.travels, fresh.travels) << what;
  EXPECT_EQ(kept.score, fresh.score) << what;
}

TEST(BeamScore, AGoalKeptUpToDateMoveByMoveIsTheGoalScoredAfresh) {
  Rnd rnd;
  rnd.reseed(5);
  for (int walk = 0; walk < 20; ++walk) {
    Grid grid = solver::dealtGrid(walk * 1601);
    Goal goal = scoredAfresh(grid, solver::bestTargets(grid));
    for (int step = 0; step < 40; ++step) {
      const std::string what = "walk " + std::to_string(walk) + ", step " + std::to_string(step);
      const int move = rnd.nextBelow(solver::kMoveCount);
      Scores scores{};
      solver::childScores(goal, scores);
      if (!solver::isColumnMove(move)) {
        const auto row = static_cast<std::size_t>(move % kLines);
        solver::moveTravels(goal, grid.transposed().columnWords()[row], move / kLines == kBarRight);
      }
      solver::update(goal, move);
      grid.apply(move);
      EXPECT_EQ(scores[static_cast<std::size_t>(move)], goal.score) << what;
      expectSameGoal(goal, scoredAfresh(grid, goal.targets), what);
      const int before = goal.score;
      solver::improveTargets(grid, goal);
      EXPECT_LE(goal.score, before) << what;
      expectSameGoal(goal, scoredAfresh(grid, goal.targets), what + ", targets improved");
    }
  }
}

TEST(BeamScore, LikelyTargetsAreDistinctBestFirstAndBeatTheCheapest) {
  for (const std::int32_t layout : {0, 9999, 32655}) {
    const Grid grid = solver::dealtGrid(layout);
    const auto likely = solver::likelyTargets(grid, 16);
    ASSERT_EQ(likely.size(), 16U) << layout;
    Goal cheapest = scoredAfresh(grid, solver::bestTargets(grid));
    solver::improveTargets(grid, cheapest);
    int last = scoredAfresh(grid, likely[0]).score;
    EXPECT_LE(last, cheapest.score) << layout;
    for (std::size_t i = 1; i < likely.size(); ++i) {
      EXPECT_NE(likely[i], likely[i - 1]) << layout;
      EXPECT_LE(last, scoredAfresh(grid, likely[i]).score) << layout;
      last = scoredAfresh(grid, likely[i]).score;
    }
  }
}

TEST(BeamScore, AvxAndPortableScoringAgree) {
  Rnd rnd;
  rnd.reseed(8);
  for (int board = 0; board < 600; ++board) {
    // Deals, and boards a few moves from solved, whose rows hold many equal offsets.
    const Grid grid = board % 2 == 1 ? solver::dealtGrid(board * 53)
                                     : testing::scrambled(rnd, board % 12, board % 4 == 0);
    // The row goal gets shuffled targets, far from the best ones.
    solver::Targets shuffled = {0, 1, 2, 3, 4, 5, 6};
    for (int i = kLines - 1; i > 0; --i) {
      std::swap(shuffled[static_cast<std::size_t>(i)],
                shuffled[static_cast<std::size_t>(rnd.nextBelow(i + 1))]);
    }
    const Goal columns = scoredAfresh(grid, solver::bestTargets(grid));
    const Goal rows = scoredAfresh(grid.transposed(), shuffled);
    Scores columnScores{};
    Scores rowScores{};
    solver::childScores(columns, columnScores);
    solver::childScores(rows, rowScores);
    Scores wideColumnScores{};
    Scores wideRowScores{};
    if (!solver::childScoresAvx2(columns, rows, wideColumnScores, wideRowScores)) {
      GTEST_SKIP() << "this processor or build has no AVX2";
    }
    EXPECT_EQ(wideColumnScores, columnScores) << board;
    EXPECT_EQ(wideRowScores, rowScores) << board;
  }
}

}  // namespace
}  // namespace zarvel
