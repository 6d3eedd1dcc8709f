// PCG32 (O'Neill), 64-bit state, fixed stream. The constants below fix every layout
// number's board for good: changing any of them changes every shared layout number.
#include "engine/Rnd.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace zarvel {
namespace {

constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;
constexpr std::uint64_t kIncrement = (0x5A6172766CULL << 1) | 1U;  // "Zarvl", odd

}  // namespace

void Rnd::seed(std::uint64_t initialState) {
  state_ = 0;
  next24();
  state_ += initialState;
  next24();
}

void Rnd::reseed(std::int32_t layoutNumber) {
  seed(static_cast<std::uint64_t>(static_cast<std::int64_t>(layoutNumber)));
}

void Rnd::seedFromSeconds(double secondsSinceMidnight) {
  // Microseconds keep the fractions; a distinct high bit keeps clock seeds apart
  // from the small numbers that layout numbers reseed with.
  const double micros = std::floor(std::fabs(secondsSinceMidnight) * 1e6);
  seed((static_cast<std::uint64_t>(micros) & 0xFFFFFFFFFFULL) | (1ULL << 48));
}

void Rnd::seedFromClock() {
  seedFromSeconds(secondsSinceMidnight());
}

std::uint32_t Rnd::next24() {
  const std::uint64_t old = state_;
  state_ = old * kMultiplier + kIncrement;
  const auto xorShifted = static_cast<std::uint32_t>(((old >> 18U) ^ old) >> 27U);
  const auto rotation = static_cast<std::uint32_t>(old >> 59U);
  const std::uint32_t output = (xorShifted >> rotation) | (xorShifted << ((32U - rotation) & 31U));
  return output >> 8U;
}

std::int32_t Rnd::nextBelow(std::int32_t n) {
  return scaleBelow(next24(), n);
}

std::int32_t Rnd::scaleBelow(std::uint32_t value24, std::int32_t n) {
  if (n <= 0) return 0;
  return static_cast<std::int32_t>(
      (static_cast<std::uint64_t>(value24 & 0xFFFFFFU) * static_cast<std::uint64_t>(n)) >> 24U);
}

double secondsSinceMidnight() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  const auto fraction = duration<double>(now - system_clock::from_time_t(seconds)).count();
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

}  // namespace zarvel
