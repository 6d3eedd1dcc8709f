// The keyboard on the arrow bars: which keys move, press and hide the cursor whose rules are
// in play/, and which stay with the rest of the window.
#pragma once

class QKeyEvent;

namespace zarvel {

class PlaySession;

class ArrowBarKeys {
 public:
  explicit ArrowBarKeys(PlaySession& session) : session_(session) {}

  // True when the key belongs to the bars, done or ignored on purpose; the window's own
  // handling gets every other key.
  bool keyPress(const QKeyEvent& event);
  bool keyRelease(const QKeyEvent& event);

 private:
  PlaySession& session_;
};

}  // namespace zarvel
