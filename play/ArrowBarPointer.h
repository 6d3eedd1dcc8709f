// What the pointer and the keyboard do on the four arrow bars: which arrow shows which look,
// when the leave poll runs, and when a press and release make a move. Plain C++: the bars of
// both front ends forward their events here, and the tests drive it with scripted sequences.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "engine/Picture.h"
#include "play/ArrowCursor.h"

namespace zarvel {

// What the protocol needs of the main window.
class ArrowBarHost {
 public:
  virtual ~ArrowBarHost() = default;
  // The pointer position in client pixels of the main window.
  virtual Point cursorInClient() = 0;
  // The leave poll Timer1.
  virtual void startPoll() = 0;
  virtual void stopPoll() = 0;
  virtual bool pollRunning() const = 0;
  // NewHod(bar) on line TekRjad; returns when the move, and any victory window, is over.
  virtual void makeMove(std::int32_t bar) = 0;
  // The keyboard's cursor was shown, moved or hidden (a screen reader follows it).
  virtual void cursorChanged() {}
  // The pointer is about to take the highlight from the keyboard's cursor.
  virtual void pointerTakesCursor() {}
};

class ArrowBarPointer {
 public:
  // `bars` are picStrelki(0..3), `strip` is picStrelka with the eight arrow tiles.
  ArrowBarPointer(std::array<Picture, kBars>& bars, const Picture& strip, std::int32_t& TekRjad,
                  ArrowBarHost& host);

  // Pointer events of bar `bar`, at (x, y) in that bar's pixels; any button alike. A press
  // enters the arrow under it first, as a move there would.
  void mouseMove(std::int32_t bar, int x, int y);
  void mouseDown(std::int32_t bar, int x, int y);
  void mouseUp(std::int32_t bar, int x, int y);
  // A tick of the leave poll.
  void timerTick();
  // The pointer has just left a bar: the next tick, brought forward, if the poll runs.
  void pointerLeftBar();

  // The hint's blink: arrow (bar, line) shows pressed, then its bar shows again whatever
  // the pointer or the keyboard shows there. Their own state is not touched.
  void showHintLook(std::int32_t bar, std::int32_t line);
  void endHintLook(std::int32_t bar);

  // Keyboard play. The cursor is the pointer's own highlight, (TekStorona, TekRjad), put
  // there by a key; the leave poll leaves it alone, and the pointer takes it back by moving
  // over a bar. While a mouse button is held every key is ignored. The first key of any
  // kind only shows the cursor: on the arrow the pointer highlights, else on column 1 up.
  void cursorKey(CursorKey key);
  // Space or Enter: pressed while down, the move when it comes up on the same cursor.
  void pressKeyDown();
  void pressKeyUp();
  void pressKeyCancelled();  // up with no move
  void hideCursor();         // Escape
  // The hint leaves the cursor on the arrow of its move.
  void placeCursor(Arrow arrow);
  // A screen reader's press of an arrow: the cursor goes there and its move is made.
  void pressArrow(Arrow arrow);
  std::optional<Arrow> cursor() const;

  // The segment (arrow) index of a position: 0..6 on an arrow, anything else is no arrow.
  static std::int32_t segmentIndex(std::int32_t bar, int x, int y);

  std::int32_t TekStorona() const { return TekStorona_; }
  bool Nazhata() const { return Nazhata_; }
  bool keyHeld() const { return keyHeld_; }
  Point Kursor() const { return Kursor_; }

 private:
  bool pointerInside();   // the inside test against bar TekStorona
  void PokazatStrelku();  // highlighted look
  void NazhatStrelku();   // pressed look
  void drawTile(int tile);
  void drawTile(std::int32_t bar, std::int32_t line, int tile);
  void clearBar(std::int32_t bar);
  void startPollIfStopped();
  // True when the key only brought the cursor into view.
  bool showCursorFirst();
  void moveCursorTo(Arrow arrow);

  std::array<Picture, kBars>& bars_;
  const Picture& strip_;
  std::int32_t& TekRjad_;
  ArrowBarHost& host_;
  std::int32_t TekStorona_ = 0;
  bool Nazhata_ = false;
  Point Kursor_;
  bool cursorShown_ = false;  // the highlight is the keyboard's
  bool keyHeld_ = false;      // Space or Enter is down on the cursor
};

}  // namespace zarvel
