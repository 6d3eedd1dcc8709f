// The play on the board's frame that both front ends share: the arrows under the pointer
// and the keys, the moves that can be taken back and made again, and the hint's plan, search
// and blink. A front end forwards its events here and gives the session what it asks for:
// where the pointer is, a clock for the blink and a solver that answers later.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/Declare.h"
#include "engine/GameScreen.h"
#include "engine/MoveHistory.h"
#include "engine/Picture.h"
#include "files/MsgBox.h"
#include "play/ArrowBarPointer.h"
#include "play/HintPlan.h"
#include "play/KeyRepeat.h"
#include "solver/Grid.h"

namespace zarvel {

// The hint's arrow shows pressed three times in about a second: on, off, on, off, on, off.
inline constexpr int kBlinkPhases = 6;
inline constexpr int kBlinkPhaseMs = 170;

// A release waits this long for the press of its repeat's pair (play/KeyRepeat.h) before it
// counts, which covers the pair's two events reaching the program apart on a busy machine or
// through a screen reader's hands.
inline constexpr int kRepeatWaitMs = 120;

class PlaySession : private ArrowBarHost {
 public:
  // What the session asks of its front end.
  class Host {
   public:
    virtual ~Host() = default;
    // The pointer in client pixels, and the leave poll (a front end that hears the pointer
    // leave a bar needs only a flag).
    virtual Point cursorInClient() = 0;
    virtual void startPoll() = 0;
    virtual void stopPoll() = 0;
    virtual bool pollRunning() const = 0;
    // Solves `grid`, the board of `version`, and hands the moves to hintFound() later, from
    // the front end's own thread. The session asks for one search at a time.
    virtual void solve(std::uint64_t version, const solver::Grid& grid) = 0;
    // The blink's clock: blinkTick() every kBlinkPhaseMs until stopped.
    virtual void startBlinkClock() {}
    virtual void stopBlinkClock() {}
    // The keyboard's cursor was shown, moved or hidden.
    virtual void cursorChanged() {}
    // Shows a message box, as H does on a board it cannot solve.
    virtual void showMessage(const MsgBoxRequest& request) = 0;
    // The wait of a released key: releaseSettled() once, kRepeatWaitMs from now, unless
    // stopped.
    virtual void startReleaseWait() {}
    virtual void stopReleaseWait() {}
    // What a screen reader should say now, whatever has the focus.
    virtual void say(const std::string& /*text*/) {}
    // The hint's blink is over and the cursor goes to `arrow`, where it may be already.
    virtual void hintShown(Arrow /*arrow*/) {}
  };

  // `bars` are picStrelki(0..3), `strip` the arrow tiles, `screen` the board and counters.
  PlaySession(Declare& declare, GameScreen& screen, std::array<Picture, kBars>& bars,
              const Picture& strip, Host& host);

  // Where the front end's bars send the pointer.
  ArrowBarPointer& pointer() { return pointer_; }
  const ArrowBarPointer& pointer() const { return pointer_; }

  // A deal or an opened game replaced the board: nothing to take back, no hint.
  void gameStarted();

  // The keys beside the menus. While a mouse button is held on an arrow they do nothing,
  // which would pull the board from under the press.
  void undo();
  void redo();
  void hint();
  // The keyboard on the bars. A held Space or Enter makes one move: a press the keyboard marks
  // as its auto-repeat (`repeat`) is no press, and a release followed at once by a press of
  // the same `key` (any number the front end tells keys apart by) at the same `timeMs` is a
  // repeat whatever its marks say, so a release counts only once releaseSettled() comes. A
  // blink gives way to a key, leaving the cursor on the hinted arrow.
  void cursorKey(CursorKey key);
  void pressKey(bool down, bool repeat, int key = 0, std::int64_t timeMs = 0);
  void releaseSettled();
  // The wait ended under a window that keeps the keys from the board: the arrow comes up
  // without a move.
  void releaseCancelled();
  void hideCursor();

  // The moves that can be taken back and made again; a page loaded again puts them back.
  const MoveHistory& history() const { return history_; }
  MoveHistory& history() { return history_; }

  // The board's version now, which a search's answer names.
  std::uint64_t hintVersion() const { return hintPlan_.version(); }
  // A search's moves for the board of `version`; the next search waiting starts.
  void hintFound(std::uint64_t version, std::vector<solver::Move> moves);
  // One phase of the blink.
  void blinkTick();
  bool blinking() const { return blinking_.has_value(); }

 private:
  // ArrowBarHost
  Point cursorInClient() override { return host_.cursorInClient(); }
  void startPoll() override { host_.startPoll(); }
  void stopPoll() override { host_.stopPoll(); }
  bool pollRunning() const override { return host_.pollRunning(); }
  void makeMove(std::int32_t bar) override;
  void cursorChanged() override { host_.cursorChanged(); }
  void pointerTakesCursor() override { settleRelease(); }

  // The hint hears of a move before it is made: a winning move opens the victory window and
  // does not return for a while.
  void moveComing(solver::Move move);
  void search(std::uint64_t version, const solver::Grid& grid);
  void startBlink(solver::Move move);
  void stopBlink();
  void finishBlink();
  bool keysTaken();
  // The move counter once the next move is made.
  std::int32_t nextCount() const;
  // A release still waiting counts before any other key.
  void settleRelease();

  Declare& declare_;
  GameScreen& screen_;
  Host& host_;
  ArrowBarPointer pointer_;
  MoveHistory history_;
  HintPlan hintPlan_;
  // The search the solver runs, and the latest request made meanwhile.
  std::optional<std::uint64_t> searching_;
  std::optional<std::pair<std::uint64_t, solver::Grid>> waiting_;
  std::optional<solver::Move> blinking_;
  int blinkPhase_ = 0;
  std::optional<KeyRelease> release_;
};

}  // namespace zarvel
