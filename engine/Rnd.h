// The game's own random-number generator. A layout number must give the same board on
// every compiler and platform, so the sequence is a fixed integer algorithm (PCG32,
// XSH-RR output) and never a standard-library distribution.
#pragma once

#include <cstdint>

namespace zarvel {

class Rnd {
 public:
  Rnd() { reseed(0); }

  // Seeds from the time of day, in seconds since local midnight with fractions.
  void seedFromClock();
  void seedFromSeconds(double secondsSinceMidnight);

  // Puts the generator into a state that depends on the layout number alone.
  void reseed(std::int32_t layoutNumber);

  // The whole part of v * n for n > 0, where v is the next value of the sequence, at least
  // 0 and below 1 (a multiple of 2^-24). Computed exactly in integers, so it is always below
  // n (a single-precision product can round up to n itself).
  std::int32_t nextBelow(std::int32_t n);

  // The whole part of (value24 / 2^24) * n: the exact scaling behind nextBelow.
  static std::int32_t scaleBelow(std::uint32_t value24, std::int32_t n);

 private:
  std::uint32_t next24();
  void seed(std::uint64_t initialState);

  std::uint64_t state_ = 0;
};

// Seconds since local midnight, with fractions.
double secondsSinceMidnight();

}  // namespace zarvel
