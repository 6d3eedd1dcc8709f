// The hint's solution: kept while the player follows it, dropped when the board goes its
// own way, and never taken from a search of an older board.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "engine/Declare.h"
#include "play/HintPlan.h"
#include "play/NoSolution.h"

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

// H on a board no solution can sort says why, a colour from elsewhere first.
TEST(NoSolution, SaysWhichColourKeepsTheBoardFromASolution) {
  std::array<Colour, kCells> columns{};  // every column one colour of the game's: solved
  for (std::size_t cell = 0; cell < columns.size(); ++cell) columns[cell] = kCvetaTable[cell / 7];
  const std::string said = "Это поле игра не решит: нужно семь цветов, по семь клеток каждого, а ";
  using Case = std::pair<Colour, std::string>;
  for (const auto& [colour, why] : {Case{0x563412, "цвет #123456 (столбец 7, строка 4) не из"},
                                    Case{0x0000FF, "клеток цвета «красный» здесь 8."}}) {
    std::array<Colour, kCells> colours = columns;
    colours[45] = colour;
    const auto message = noSolutionMessage(colours);
    ASSERT_TRUE(message) << why;
    EXPECT_EQ(message->title, "Головоломка «Zarvel»");
    EXPECT_EQ(message->text.rfind(said + why, 0), 0U) << message->text;
  }
  for (Colour& colour : columns) colour ^= 0x010101;  // seven colours of nobody's: solvable
  EXPECT_FALSE(noSolutionMessage(columns));
}

}  // namespace
}  // namespace zarvel
