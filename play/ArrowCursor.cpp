// The ring of arrows that the keyboard's cursor travels.
#include "play/ArrowCursor.h"

namespace zarvel {

Arrow stepCursor(Arrow from, CursorKey key) {
  if (key == CursorKey::Tab || key == CursorKey::BackTab)
    return {(from.bar + 2) % kBars, from.line};
  const bool horizontal = from.bar == kBarTop || from.bar == kBarBottom;
  const bool sideways = key == CursorKey::Left || key == CursorKey::Right;
  if (horizontal != sideways) return from;
  const bool forward = key == CursorKey::Right || key == CursorKey::Down;
  const std::int32_t line = from.line + (forward ? 1 : -1);
  if (line >= 0 && line < kLines) return {from.bar, line};
  // Past a bar's end the key points at the neighbouring bar on that side; its arrow nearest
  // the corner is its first beside the top or left bar and its last beside the others.
  static constexpr Bar kTowards[] = {kBarLeft, kBarRight, kBarTop, kBarBottom};
  const Bar bar = kTowards[static_cast<int>(key)];
  const bool nearStart = from.bar == kBarTop || from.bar == kBarLeft;
  return {bar, nearStart ? 0 : kLines - 1};
}

}  // namespace zarvel
