// Fitting the beam's score: the features are what the score counts, and the least squares
// finds a table back from distances it made.
#include <gtest/gtest.h>

#include "solver/ScoreFit.h"
#include "tests/solver/SolverTestBoards.h"

namespace zarvel {
namespace {

double scoreOf(const solver::GroupScores& table, const solver::ScoreFeatures& features) {
  double score = 0;
  for (std::size_t i = 0; i < features.size(); ++i)
    score += table[i / kLines][i % kLines] * features[i];
  return score;
}

TEST(ScoreFit, FeaturesCountWhatTheScoreCounts) {
  Rnd rnd;
  rnd.reseed(3);
  for (int board = 0; board < 40; ++board) {
    const solver::Grid grid = board % 2 == 0 ? solver::dealtGrid(board * 811)
                                             : testing::scrambled(rnd, board % 9, board % 3 == 0);
    solver::Goal goal;
    goal.targets = solver::bestTargets(grid);
    solver::rescore(grid, goal);
    EXPECT_EQ(scoreOf(solver::kGroupScores, solver::scoreFeatures(grid, goal.targets)), goal.score)
        << board;
  }
}

// Distances made from a table, a constant per group and twenty to a move: the fit gives
// the table back, whatever the groups' constants.
TEST(ScoreFit, FitFindsTheTableThatMadeTheDistances) {
  const solver::GroupScores table = {
      {{20, 30, 35, 33, 25, 14, 3}, {41, 58, 70, 69, 66, 61, 47}, {59, 88, 99, 108, 115, 101, 92}}};
  Rnd rnd;
  rnd.reseed(11);
  std::vector<solver::FitSample> samples;
  for (int i = 0; i < 400; ++i) {
    solver::FitSample sample;
    for (double& feature : sample.features) feature = rnd.nextBelow(4);
    sample.group = i % 5;
    sample.distance = scoreOf(table, sample.features) / 20 + 7 * sample.group;
    samples.push_back(sample);
  }
  EXPECT_EQ(solver::fitGroupScores(samples), table);
}

}  // namespace
}  // namespace zarvel
