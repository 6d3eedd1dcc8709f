// The game's own generator: range, exact scaling, and repeatability.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "engine/Rnd.h"

namespace zarvel {
namespace {

TEST(Rnd, ScalingNeverReachesTheBoundEvenForTheLargestValue) {
  constexpr std::uint32_t kLargest = 0xFFFFFF;  // 1 - 2^-24
  for (std::int32_t n : {1, 2, 3, 7, 10, 32656, 1 << 24}) {
    EXPECT_EQ(Rnd::scaleBelow(kLargest, n), n - 1) << n;
    EXPECT_EQ(Rnd::scaleBelow(0, n), 0) << n;
  }
}

TEST(Rnd, ScalingIsTheWholePartOfTheExactProduct) {
  for (std::uint32_t m = 0; m < (1U << 24); m += 65521) {
    for (std::int32_t n : {3, 7, 32656}) {
      const double exact = std::floor(static_cast<double>(m) * n / 16777216.0);
      ASSERT_EQ(Rnd::scaleBelow(m, n), static_cast<std::int32_t>(exact)) << m << " " << n;
    }
  }
}

// The raw values: v * 2^24, each a whole number below 2^24.
constexpr std::int32_t kRaw = 1 << 24;

TEST(Rnd, ValuesLieInTheHalfOpenUnitInterval) {
  Rnd rnd;
  rnd.reseed(77);
  for (int i = 0; i < 100000; ++i) {
    for (const std::int32_t n : {7, 32656, kRaw}) {
      const std::int32_t v = rnd.nextBelow(n);
      ASSERT_GE(v, 0);
      ASSERT_LT(v, n);
    }
  }
}

TEST(Rnd, ReseedingFromALayoutNumberRepeatsTheSequence) {
  Rnd first;
  Rnd second;
  first.seedFromSeconds(1234.5);
  first.reseed(4321);
  second.reseed(4321);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(first.nextBelow(kRaw), second.nextBelow(kRaw));
}

TEST(Rnd, DifferentLayoutNumbersGiveDifferentSequences) {
  Rnd a;
  Rnd b;
  a.reseed(1);
  b.reseed(2);
  int same = 0;
  for (int i = 0; i < 100; ++i) same += a.nextBelow(kRaw) == b.nextBelow(kRaw) ? 1 : 0;
  EXPECT_LT(same, 3);
}

TEST(Rnd, ClockSeedsKeepTheirFractions) {
  Rnd a;
  Rnd b;
  a.seedFromSeconds(100.25);
  b.seedFromSeconds(100.5);
  EXPECT_NE(a.nextBelow(kRaw), b.nextBelow(kRaw));
}

TEST(Rnd, EveryIndexKeepsRecurring) {
  Rnd rnd;
  rnd.reseed(0);
  std::array<int, 7> counts{};
  for (int i = 0; i < 70000; ++i) ++counts[static_cast<std::size_t>(rnd.nextBelow(7))];
  for (int count : counts) {
    EXPECT_GT(count, 9500);
    EXPECT_LT(count, 10500);
  }
}

TEST(Rnd, SecondsSinceMidnightLieWithinADay) {
  const double seconds = secondsSinceMidnight();
  EXPECT_GE(seconds, 0.0);
  EXPECT_LT(seconds, 86401.0);
}

}  // namespace
}  // namespace zarvel
