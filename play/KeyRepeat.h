// A held key, as the X server repeats it: a release and at once a press of the same key, both
// with the same time, whatever marks the toolkit puts on them. A player's own release and press
// are never that close. The arrows' Space and Enter and the symbols' S go by this one rule.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <optional>

namespace zarvel {

inline constexpr std::int64_t kRepeatGapMs = 5;

// A key's release: the key by any number the front end tells keys apart by, its time in
// milliseconds, 0 when the key came without one (handed on by a screen reader).
struct KeyRelease {
  std::int64_t key;
  std::int64_t timeMs;
};

// Whether a press of `key` at `timeMs` is the second half of the repeat that `release` began.
// Keys a screen reader hands on carry no time at all: their release and press pair too, or a
// hold under a reader would count every repeat.
inline bool repeatsRelease(const std::optional<KeyRelease>& release, std::int64_t key,
                           std::int64_t timeMs) {
  return release && release->key == key && std::llabs(timeMs - release->timeMs) <= kRepeatGapMs;
}

}  // namespace zarvel
