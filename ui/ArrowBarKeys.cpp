// Keys on the arrow bars. The window has no widget that takes the keyboard, so every key
// reaches the main window, which hands these here.
#include "ui/ArrowBarKeys.h"

#include <QKeyEvent>
#include <cstdint>

#include "play/PlaySession.h"

namespace zarvel {
namespace {

// What a key does on the arrow bars; Space and Enter press the cursor's arrow.
enum class BarKey { None, Cursor, Press, Hide };

struct CursorKeyOf {
  int key;
  CursorKey cursor;
};
constexpr CursorKeyOf kCursorKeys[] = {{Qt::Key_Left, CursorKey::Left},
                                       {Qt::Key_Right, CursorKey::Right},
                                       {Qt::Key_Up, CursorKey::Up},
                                       {Qt::Key_Down, CursorKey::Down},
                                       {Qt::Key_Tab, CursorKey::Tab}};

BarKey barKey(const QKeyEvent& event, CursorKey& cursorKey) {
  // Keypad arrows and Enter count as the others; with Ctrl, Alt or Meta a key is another
  // key, and Shift only turns Tab round.
  const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
  const int key = event.key();
  if (key == Qt::Key_Backtab || (key == Qt::Key_Tab && modifiers == Qt::ShiftModifier)) {
    cursorKey = CursorKey::BackTab;
    return BarKey::Cursor;
  }
  if (modifiers != Qt::NoModifier) return BarKey::None;
  for (const CursorKeyOf& entry : kCursorKeys) {
    if (entry.key != key) continue;
    cursorKey = entry.cursor;
    return BarKey::Cursor;
  }
  if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) return BarKey::Press;
  return key == Qt::Key_Escape ? BarKey::Hide : BarKey::None;
}

// The X server's time of the key, which a repeat's release and press share; X times are
// milliseconds that wrap, and a key handed on by a screen reader's bridge has none (0).
std::int64_t keyTime(const QKeyEvent& event) {
  return static_cast<std::int64_t>(event.timestamp() & 0xFFFFFFFFU);
}

}  // namespace

bool ArrowBarKeys::keyPress(const QKeyEvent& event) {
  CursorKey cursorKey{};
  switch (barKey(event, cursorKey)) {
    case BarKey::Cursor:
      session_.cursorKey(cursorKey);
      return true;
    case BarKey::Press:
      session_.pressKey(true, event.isAutoRepeat(), event.key(), keyTime(event));
      return true;
    case BarKey::Hide:
      session_.hideCursor();
      return true;
    case BarKey::None:
      return false;
  }
  return false;
}

bool ArrowBarKeys::keyRelease(const QKeyEvent& event) {
  CursorKey cursorKey{};
  if (barKey(event, cursorKey) != BarKey::Press) return false;
  // Qt's repeat mark on a release is only as good as its look at the events behind it, which
  // a busy machine has not yet read: the session tells a repeat by what comes next.
  session_.pressKey(false, false, event.key(), keyTime(event));
  return true;
}

}  // namespace zarvel
