// The glue between the pointer, the keys, the history and the hint, decided once for the
// desktop and the web page.
#include "play/PlaySession.h"

#include <limits>

#include "engine/NewHodM.h"
#include "play/AccessibleNames.h"
#include "play/NoSolution.h"

namespace zarvel {

PlaySession::PlaySession(Declare& declare, GameScreen& screen, std::array<Picture, kBars>& bars,
                         const Picture& strip, Host& host)
    : declare_(declare),
      screen_(screen),
      host_(host),
      pointer_(bars, strip, declare.TekRjad, *this) {}

void PlaySession::gameStarted() {
  history_.clear();
  hintPlan_.boardReplaced();
  stopBlink();
}

std::int32_t PlaySession::nextCount() const {
  return declare_.NmHod < std::numeric_limits<std::int32_t>::max() ? declare_.NmHod + 1
                                                                   : declare_.NmHod;
}

// Said before the move, which a victory window keeps from returning for a while.
void PlaySession::makeMove(std::int32_t bar) {
  host_.say(moveSaid({bar, declare_.TekRjad}, nextCount()));
  moveComing({bar, declare_.TekRjad});
  history_.play(declare_, screen_, bar, declare_.TekRjad);
}

void PlaySession::moveComing(solver::Move move) {
  stopBlink();
  hintPlan_.moveMade(move);
}

void PlaySession::undo() {
  settleRelease();
  if (pointer_.Nazhata() || !history_.canUndo()) return;
  stopBlink();
  hintPlan_.boardReplaced();
  const bool caged = mascotCaged(screen_);
  history_.undo(declare_, screen_);
  if (const auto move = history_.nextRedo())
    host_.say(
        undoSaid({move->first, move->second}, declare_.NmHod, caged && !mascotCaged(screen_)));
}

void PlaySession::redo() {
  settleRelease();
  if (pointer_.Nazhata() || !history_.canRedo()) return;
  if (const auto move = history_.nextRedo()) {
    host_.say(redoSaid({move->first, move->second}, nextCount()));
    moveComing({move->first, move->second});
  }
  history_.redo(declare_, screen_);
}

void PlaySession::hint() {
  settleRelease();
  if (pointer_.Nazhata() || boardSolved(screen_.picPole())) return;
  if (const std::optional<solver::Move> move = hintPlan_.next()) {
    startBlink(*move);
    return;
  }
  const std::uint64_t version = hintPlan_.version();
  if (searching_ == version || (waiting_ && waiting_->first == version)) return;
  // A board opened from a file may hold colours no solution can sort: H says why.
  const std::array<Colour, kCells> colours = solver::coloursOf(screen_.picPole());
  if (const auto board = solver::indexColours(colours)) {
    search(version, board->grid);
  } else if (const auto message = noSolutionMessage(colours)) {
    host_.showMessage(*message);
  }
}

// One search at a time; a request made meanwhile waits, and only the latest waits.
void PlaySession::search(std::uint64_t version, const solver::Grid& grid) {
  if (searching_) {
    waiting_ = {version, grid};
    return;
  }
  searching_ = version;
  host_.solve(version, grid);
}

void PlaySession::hintFound(std::uint64_t version, std::vector<solver::Move> moves) {
  searching_.reset();
  if (waiting_) {
    const auto next = *waiting_;
    waiting_.reset();
    search(next.first, next.second);
  }
  if (!hintPlan_.adopt(version, std::move(moves))) return;
  if (const std::optional<solver::Move> move = hintPlan_.next()) startBlink(*move);
}

void PlaySession::startBlink(solver::Move move) {
  stopBlink();
  // The cursor comes back on the hinted arrow when the blink is over; meanwhile only the
  // blink shows.
  pointer_.hideCursor();
  blinking_ = move;
  blinkPhase_ = 0;
  pointer_.showHintLook(move.bar, move.line);
  host_.startBlinkClock();
}

void PlaySession::stopBlink() {
  if (!blinking_) return;
  host_.stopBlinkClock();
  pointer_.endHintLook(blinking_->bar);
  blinking_.reset();
}

// The blink is over: the cursor stays on the hinted arrow.
void PlaySession::finishBlink() {
  if (!blinking_) return;
  const solver::Move move = *blinking_;
  stopBlink();
  host_.hintShown({move.bar, move.line});
  pointer_.placeCursor({move.bar, move.line});
}

void PlaySession::blinkTick() {
  if (!blinking_) return;
  if (++blinkPhase_ >= kBlinkPhases) {
    finishBlink();
  } else if (blinkPhase_ % 2 == 0) {
    pointer_.showHintLook(blinking_->bar, blinking_->line);
  } else {
    pointer_.endHintLook(blinking_->bar);
  }
}

bool PlaySession::keysTaken() {
  if (pointer_.Nazhata()) return false;
  finishBlink();
  return true;
}

void PlaySession::cursorKey(CursorKey key) {
  settleRelease();
  if (keysTaken()) pointer_.cursorKey(key);
}

void PlaySession::pressKey(bool down, bool repeat, int key, std::int64_t timeMs) {
  if (!down) {
    settleRelease();
    release_ = KeyRelease{key, timeMs};
    host_.startReleaseWait();
    return;
  }
  if (repeatsRelease(release_, key, timeMs)) {
    // The press of a repeat's pair: the key never came up.
    release_.reset();
    host_.stopReleaseWait();
    return;
  }
  settleRelease();
  if (!repeat && keysTaken()) pointer_.pressKeyDown();
}

void PlaySession::releaseSettled() {
  if (!release_) return;
  release_.reset();
  pointer_.pressKeyUp();
}

void PlaySession::releaseCancelled() {
  if (!release_) return;
  release_.reset();
  pointer_.pressKeyCancelled();
}

void PlaySession::settleRelease() {
  if (!release_) return;
  host_.stopReleaseWait();
  releaseSettled();
}

void PlaySession::hideCursor() {
  settleRelease();
  if (keysTaken()) pointer_.hideCursor();
}

}  // namespace zarvel
