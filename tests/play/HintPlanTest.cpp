// The hint's solution: kept while the player follows it, dropped when the board goes its
// own way, and never taken from a search of an older board.
#include <gtest/gtest.h>

#include "play/HintPlan.h"

namespace zarvel {
namespace {

using solver::Move;

TEST(HintPlan, KeepsTheSolutionOnlyWhileTheBoardFollowsIt) {
  const std::vector<Move> solution = {{0, 1}, {3, 2}, {2, 6}};
  HintPlan plan;
  const std::uint64_t searched = plan.version();
  plan.moveMade({1, 1});
  EXPECT_FALSE(plan.adopt(searched, solution)) << "the board moved while the search ran";
  EXPECT_FALSE(plan.next());

  ASSERT_TRUE(plan.adopt(plan.version(), solution));
  for (const Move& move : solution) {
    EXPECT_EQ(plan.next(), move);
    plan.moveMade(move);
  }
  EXPECT_FALSE(plan.next()) << "all of it made";

  ASSERT_TRUE(plan.adopt(plan.version(), solution));
  plan.moveMade({0, 2});
  EXPECT_FALSE(plan.next()) << "a move off the solution";
  ASSERT_TRUE(plan.adopt(plan.version(), solution));
  plan.boardReplaced();
  EXPECT_FALSE(plan.next()) << "an undo, a deal or an opened game";
}

}  // namespace
}  // namespace zarvel
