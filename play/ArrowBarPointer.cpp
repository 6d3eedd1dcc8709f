// The pointer and keyboard protocol of the arrow bars. A bar gets no event when the pointer
// leaves it, so while the pointer's arrow shows a look the leave poll asks where it is.
#include "play/ArrowBarPointer.h"

#include "engine/Geometry.h"
#include "play/frmFormaLayout.h"

namespace zarvel {
namespace {

constexpr int kTileHighlighted = 0;  // tiles 0..3: large black arrow of bars 0..3
constexpr int kTilePressed = 4;      // tiles 4..7: small black arrow of bars 0..3

// The bars above and below the board run along x, the other two along y.
bool alongX(std::int32_t bar) {
  return bar == kBarTop || bar == kBarBottom;
}

bool validBar(std::int32_t bar) {
  return bar >= kBarTop && bar < kBars;
}

}  // namespace

ArrowBarPointer::ArrowBarPointer(std::array<Picture, kBars>& bars, const Picture& strip,
                                 std::int32_t& TekRjad, ArrowBarHost& host)
    : bars_(bars), strip_(strip), TekRjad_(TekRjad), host_(host) {}

std::int32_t ArrowBarPointer::segmentIndex(std::int32_t bar, int x, int y) {
  return (alongX(bar) ? x : y) / kPitch;  // integer division truncates toward zero
}

void ArrowBarPointer::mouseMove(std::int32_t bar, int x, int y) {
  // The pointer takes the highlight back from the keyboard: its arrow counts as entered. A
  // key released a moment ago counts first.
  if (cursorShown_) host_.pointerTakesCursor();
  if (cursorShown_) {
    cursorShown_ = false;
    keyHeld_ = false;
    host_.cursorChanged();
  }
  const std::int32_t s = segmentIndex(bar, x, y);
  if (bar == TekStorona_ && s == TekRjad_) {
    if (Nazhata_) {
      // The event position gives the same answer as asking for the cursor, and is the
      // position this event is about.
      const Box& box = frmFormaLayout::kPicStrelki[static_cast<std::size_t>(bar)];
      const bool inside = x >= 0 && y >= 0 && x <= box.width && y <= box.height;
      inside ? NazhatStrelku() : PokazatStrelku();
    } else {
      PokazatStrelku();
      startPollIfStopped();
    }
    return;
  }
  clearBar(TekStorona_);
  if (Nazhata_) {
    PokazatStrelku();  // the held arrow shows raised while the pointer is away from it
  } else {
    TekStorona_ = bar;
    TekRjad_ = s;
    PokazatStrelku();
    startPollIfStopped();
  }
}

void ArrowBarPointer::mouseDown(std::int32_t bar, int x, int y) {
  // A press takes the arrow under it: a mouse has entered it already, but a finger enters
  // nothing before it touches, and the keyboard may have moved the highlight away meanwhile.
  // A second button while one is held keeps the held arrow.
  if (!Nazhata_) mouseMove(bar, x, y);
  Nazhata_ = true;
  NazhatStrelku();
  startPollIfStopped();
}

void ArrowBarPointer::mouseUp(std::int32_t bar, int x, int y) {
  if (!Nazhata_) return;
  Nazhata_ = false;
  if (!pointerInside()) return;  // the next poll tick clears the bar
  PokazatStrelku();
  const std::int32_t s = segmentIndex(bar, x, y);
  if (bar == TekStorona_ && s == TekRjad_ && s >= 0 && s < kLines) host_.makeMove(bar);
}

void ArrowBarPointer::timerTick() {
  if (pointerInside()) return;
  if (Nazhata_) {
    PokazatStrelku();
    return;
  }
  host_.stopPoll();
  clearBar(TekStorona_);
}

void ArrowBarPointer::pointerLeftBar() {
  if (host_.pollRunning()) timerTick();
}

bool ArrowBarPointer::pointerInside() {
  Kursor_ = host_.cursorInClient();
  if (!validBar(TekStorona_)) return false;
  const Box& box = frmFormaLayout::kPicStrelki[static_cast<std::size_t>(TekStorona_)];
  // Both ends count: the pixel line just right of and just below the bar is inside.
  return Kursor_.x >= box.left && Kursor_.x <= box.left + box.width && Kursor_.y >= box.top &&
         Kursor_.y <= box.top + box.height;
}

void ArrowBarPointer::PokazatStrelku() {
  drawTile(kTileHighlighted + TekStorona_);
}

void ArrowBarPointer::NazhatStrelku() {
  drawTile(kTilePressed + TekStorona_);
}

void ArrowBarPointer::drawTile(int tile) {
  drawTile(TekStorona_, TekRjad_, tile);
}

void ArrowBarPointer::drawTile(std::int32_t bar, std::int32_t line, int tile) {
  if (!validBar(bar)) return;
  // A segment outside 0..6 puts the tile beyond the bar's picture, where it shows nothing.
  const int along = kPitch * line + 1;
  const int dx = alongX(bar) ? along : 0;
  const int dy = alongX(bar) ? 0 : along;
  bars_[static_cast<std::size_t>(bar)].paintPicture(strip_, dx, dy, kSquare * tile, 0, kSquare,
                                                    kSquare);
}

void ArrowBarPointer::showHintLook(std::int32_t bar, std::int32_t line) {
  drawTile(bar, line, kTilePressed + bar);
}

void ArrowBarPointer::endHintLook(std::int32_t bar) {
  clearBar(bar);
  if (bar == TekStorona_ && cursorShown_) {
    keyHeld_ ? NazhatStrelku() : PokazatStrelku();
    return;
  }
  // The poll runs exactly while the pointer's arrow shows a look.
  if (bar != TekStorona_ || !host_.pollRunning()) return;
  if (!Nazhata_) {
    PokazatStrelku();
    return;
  }
  // A held arrow shows pressed while the pointer is on it, raised while it is away.
  const Box& box = frmFormaLayout::kPicStrelki[static_cast<std::size_t>(bar)];
  if (pointerInside() && segmentIndex(bar, Kursor_.x - box.left, Kursor_.y - box.top) == TekRjad_) {
    NazhatStrelku();
  } else {
    PokazatStrelku();
  }
}

void ArrowBarPointer::cursorKey(CursorKey key) {
  if (Nazhata_ || keyHeld_ || showCursorFirst()) return;
  const Arrow next = stepCursor({TekStorona_, TekRjad_}, key);
  if (next != Arrow{TekStorona_, TekRjad_}) moveCursorTo(next);
}

void ArrowBarPointer::pressKeyDown() {
  if (Nazhata_ || keyHeld_ || showCursorFirst()) return;
  keyHeld_ = true;
  NazhatStrelku();
}

void ArrowBarPointer::pressKeyUp() {
  if (!keyHeld_) return;  // the key that closed the victory window comes up here too
  keyHeld_ = false;
  PokazatStrelku();
  host_.makeMove(TekStorona_);
}

void ArrowBarPointer::pressKeyCancelled() {
  if (!keyHeld_) return;
  keyHeld_ = false;
  PokazatStrelku();
}

void ArrowBarPointer::hideCursor() {
  if (!cursorShown_) return;
  cursorShown_ = false;
  keyHeld_ = false;
  clearBar(TekStorona_);
  host_.cursorChanged();
}

void ArrowBarPointer::placeCursor(Arrow arrow) {
  if (Nazhata_) return;
  keyHeld_ = false;
  moveCursorTo(arrow);
}

void ArrowBarPointer::pressArrow(Arrow arrow) {
  if (Nazhata_ || keyHeld_) return;
  moveCursorTo(arrow);
  host_.makeMove(arrow.bar);
}

std::optional<Arrow> ArrowBarPointer::cursor() const {
  if (!cursorShown_) return std::nullopt;
  return Arrow{TekStorona_, TekRjad_};
}

bool ArrowBarPointer::showCursorFirst() {
  if (cursorShown_) return false;
  const bool onArrow =
      host_.pollRunning() && validBar(TekStorona_) && TekRjad_ >= 0 && TekRjad_ < kLines;
  moveCursorTo(onArrow ? Arrow{TekStorona_, TekRjad_} : Arrow{});
  return true;
}

void ArrowBarPointer::moveCursorTo(Arrow arrow) {
  // The poll clears only what the pointer shows; the cursor stays until a key or the
  // pointer moves it.
  if (host_.pollRunning()) host_.stopPoll();
  clearBar(TekStorona_);
  TekStorona_ = arrow.bar;
  TekRjad_ = arrow.line;
  cursorShown_ = true;
  PokazatStrelku();
  host_.cursorChanged();
}

void ArrowBarPointer::clearBar(std::int32_t bar) {
  if (validBar(bar)) bars_[static_cast<std::size_t>(bar)].clear();
}

void ArrowBarPointer::startPollIfStopped() {
  if (!host_.pollRunning()) host_.startPoll();
}

}  // namespace zarvel
