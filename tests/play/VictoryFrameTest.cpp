// The victory window's arithmetic: rounding, centring and the letters of one frame.
#include <gtest/gtest.h>

#include <array>

#include "play/VictoryFrame.h"

namespace zarvel {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  const std::pair<double, int> cases[] = {{0.5, 0},  {1.5, 2},     {2.5, 2},    {3.5, 4},
                                          {2.49, 2}, {2.51, 3},    {-0.5, 0},   {-1.5, -2},
                                          {7.0, 7},  {254.5, 254}, {255.5, 256}};
  for (auto [value, expected] : cases) EXPECT_EQ(roundHalfEven(value), expected) << value;
}

TEST(VictoryArea, IsTheMeasuredWidthPlusFourCentredInTheWindow) {
  EXPECT_EQ(victoryAreaWidth(254.0), 258);
  EXPECT_EQ(victoryAreaWidth(254.5), 258);  // 258.5 -> 258
  EXPECT_EQ(victoryAreaWidth(255.5), 260);  // 259.5 -> 260
  EXPECT_EQ(victoryAreaLeft(584, 258), 163);
  EXPECT_EQ(victoryAreaLeft(584, 259), 162);  // 162.5 -> 162
  EXPECT_EQ(victoryAreaLeft(584, 257), 164);  // 163.5 -> 164
}

TEST(VictoryFrame, EveryLetterJumpsByZeroTenOrTwentyWithItsShadowFourOff) {
  const std::vector<double> widths = {30.4, 28.5, 29.5, 31.0, 27.2, 26.8, 12.0, 12.0, 12.0};
  Rnd rnd;
  std::array<int, 3> seen{};
  for (int frameNumber = 0; frameNumber < 200; ++frameNumber) {
    rnd.seedFromSeconds(1000.0 + frameNumber * 0.1);
    const VictoryFrame frame = victoryFrame(rnd, widths);
    ASSERT_EQ(frame.Skachki.size(), widths.size());
    int x = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
      const int offset = frame.Skachki[i];
      ASSERT_TRUE(offset == 0 || offset == 10 || offset == 20) << offset;
      ++seen[static_cast<std::size_t>(offset / 10)];
      EXPECT_EQ(frame.face[i].x, x);
      EXPECT_EQ(frame.face[i].y, offset);
      EXPECT_EQ(frame.shadow[i].x, frame.face[i].x + 4);
      EXPECT_EQ(frame.shadow[i].y, frame.face[i].y + 4);
      x += roundHalfEven(widths[i]);
    }
  }
  for (int count : seen) EXPECT_GT(count, 400);  // all three heights keep coming
}

TEST(VictoryFrame, LettersAdvanceByTheirOwnRoundedWidths) {
  Rnd rnd;
  const VictoryFrame frame = victoryFrame(rnd, {10.5, 11.5, 3.0});
  ASSERT_EQ(frame.face.size(), 3U);
  EXPECT_EQ(frame.face[1].x, 10);  // 10.5 -> 10
  EXPECT_EQ(frame.face[2].x, 22);  // + 11.5 -> 12
}

}  // namespace
}  // namespace zarvel
