// Dealing: every layout number gives one fixed board with seven squares of each colour.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/Board.h"
#include "engine/NewGameM.h"
#include "tests/support/FakeScreen.h"

namespace zarvel {
namespace {

using testing::FakeScreen;

std::string indicesText(const std::array<std::int32_t, 49>& indices) {
  std::string text;
  for (auto index : indices) text += static_cast<char>('0' + index);
  return text;
}

std::array<std::int32_t, 49> dealOf(std::int32_t layoutNumber) {
  Rnd rnd;
  rnd.reseed(layoutNumber);
  return dealColourIndices(rnd);
}

// Pinned boards: a change here changes what every shared layout number means.
TEST(NewRasklad, GoldenLayouts) {
  struct Golden {
    std::int32_t layout;
    const char* indices;  // column by column, top to bottom
  };
  const Golden goldens[] = {
      {0, "3564620052303501114415153542234634341166522206060"},
      {1, "0262036435145634322551366325205144652161144310000"},
      {1234, "5211040664651356246543026155263541400323304312021"},
      {32655, "6245501625464650100612022610346402143345351523133"},
  };
  for (const auto& golden : goldens) {
    EXPECT_EQ(indicesText(dealOf(golden.layout)), golden.indices) << golden.layout;
  }
}

TEST(NewRasklad, EveryLayoutNumberDealsSevenOfEachColourTheSameWayTwice) {
  for (std::int32_t layout = 0; layout < kLayoutCount; ++layout) {
    const auto deal = dealOf(layout);
    std::array<int, kColours> counts{};
    for (auto index : deal) {
      ASSERT_GE(index, 0);
      ASSERT_LT(index, kColours);
      ++counts[static_cast<std::size_t>(index)];
    }
    for (int count : counts) ASSERT_EQ(count, kLines) << layout;
    ASSERT_EQ(deal, dealOf(layout)) << layout;
  }
}

TEST(NewRasklad, PaintsTheDealColumnByColumnAndResetsTheGame) {
  Declare declare = testing::startedDeclare();
  FakeScreen screen;
  declare.NmRasklada = 1234;
  declare.NmHod = 17;
  declare.ImjaFaila = "/tmp/a.zrv";
  cageMascot(screen);
  declare.rnd.seedFromSeconds(5.0);  // a deal must not depend on what came before

  NewRasklad(declare, screen);

  const auto deal = dealOf(1234);
  std::vector<Colour> expected;
  for (auto index : deal) expected.push_back(kCvetaTable[static_cast<std::size_t>(index)]);
  EXPECT_EQ(testing::cells(screen.picPole()), expected);
  EXPECT_EQ(declare.NmHod, 0);
  EXPECT_EQ(screen.lblNmHod, 0);
  EXPECT_EQ(screen.lblNmRasklada, 1234);
  EXPECT_TRUE(declare.ImjaFaila.empty());
  EXPECT_FALSE(screen.caged());
  EXPECT_EQ(declare.NmRasklada, 1234);
  // The lines between the squares keep the background.
  EXPECT_EQ(screen.picPole().point(40, 5), testing::kBlack);
  EXPECT_EQ(screen.picPole().point(280, 280), testing::kBlack);
}

TEST(NewRasklad, RestartAfterMovesRestoresTheStartingBoard) {
  Declare declare = testing::startedDeclare();
  FakeScreen screen;
  declare.NmRasklada = 42;
  NewRasklad(declare, screen);
  const auto start = testing::cells(screen.picPole());
  fillSquare(screen.picPole(), 1, 1, 0x010101);
  declare.NmHod = 3;
  NewRasklad(declare, screen);
  EXPECT_EQ(testing::cells(screen.picPole()), start);
}

TEST(NewGame, DrawsALayoutNumberInRangeAndDealsIt) {
  Declare declare = testing::startedDeclare();
  FakeScreen screen;
  declare.ImjaFaila = "/games/old.zrv";  // a game that was open before
  for (int game = 0; game < 50; ++game) {
    NewGame(declare, screen);
    ASSERT_GE(declare.NmRasklada, 0);
    ASSERT_LT(declare.NmRasklada, kLayoutCount);
    EXPECT_EQ(screen.lblNmRasklada, declare.NmRasklada);
    std::vector<Colour> expected;
    for (auto index : dealOf(declare.NmRasklada))
      expected.push_back(kCvetaTable[static_cast<std::size_t>(index)]);
    ASSERT_EQ(testing::cells(screen.picPole()), expected);
  }
  EXPECT_TRUE(declare.ImjaFaila.empty());
}

TEST(NewGame, SomeMomentOfTheDayDealsTheFirstAndSomeTheLastLayout) {
  Declare declare = testing::startedDeclare();
  FakeScreen screen;
  for (const std::int32_t wanted : {0, 32655}) {
    double seconds = 0;  // the first hundredth of a second whose seed draws `wanted`
    for (Rnd rnd; seconds < 86400; seconds += 0.01) {
      rnd.seedFromSeconds(seconds);
      if (rnd.nextBelow(32656) == wanted) break;
    }
    ASSERT_LT(seconds, 86400) << "no moment of the day draws layout " << wanted;
    NewGame(declare, screen, seconds);
    EXPECT_EQ(screen.lblNmRasklada, wanted);
  }
}

}  // namespace
}  // namespace zarvel
