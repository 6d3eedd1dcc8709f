// The keyboard on the arrow bars: which keys move, press and hide the cursor whose rules
// are in play/, and which stay with the rest of the window.
#pragma once

#include <functional>

class QKeyEvent;

namespace zarvel {

class ArrowBarPointer;

class ArrowBarKeys {
 public:
  // `beforeKey` runs before any key the bars take: the hint's blink gives way to it.
  ArrowBarKeys(ArrowBarPointer& pointer, std::function<void()> beforeKey);

  // True when the key belongs to the bars, done or ignored on purpose; the window's own
  // handling gets every other key.
  bool keyPress(const QKeyEvent& event);
  bool keyRelease(const QKeyEvent& event);

 private:
  ArrowBarPointer& pointer_;
  std::function<void()> beforeKey_;
};

}  // namespace zarvel
