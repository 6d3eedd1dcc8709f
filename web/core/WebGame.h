// The game behind the web page: the main window's pictures, counters and title, the arrow
// bars' pointer rules, the moves' history and the hint, all in plain C++. The page forwards
// its events here and shows what comes back; what it must show modally (the victory window,
// a message box, a search for the hint) waits in a queue of requests that it takes after
// every call, since a page cannot stop in the middle of a call to ask the player.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "engine/Declare.h"
#include "engine/GameScreen.h"
#include "engine/Picture.h"
#include "files/MsgBox.h"
#include "play/ArrowCursor.h"
#include "play/PlaySession.h"
#include "solver/Grid.h"

namespace zarvel::web {

// The pictures the page shows, by the number it asks for them with.
enum class PictureId : int {
  Bar0 = 0,  // picStrelki(0..3)
  Bar1,
  Bar2,
  Bar3,
  Strip,   // picStrelka, never shown
  Board,   // picPole
  Mascot,  // PicTrol
  Cage,    // picKletka, never shown
  Flag,    // the About box's Picture1
};
inline constexpr int kPictureCount = 9;

// The hint's beam in WebAssembly, where the search takes some three times the desktop's
// processor time: about half the desktop's width keeps the wait from the key to the first
// blink near a quarter of a second, for solutions about two thirds of a move longer on average.
inline constexpr int kHintBeamWidth = 6000;

// How a saved game's write ended in the browser: as FileStatus counts them.
enum class WriteOutcome { Ok, AccessDenied, Failed };

// What went wrong around a file before the reader saw it, other than a cancel: the picker
// failed to show, the picked file was gone, or it could not be read.
enum class FileTrouble { Picker, Vanished, Unreadable };

class WebGame : public GameScreen, private PlaySession::Host {
 public:
  WebGame();
  WebGame(const WebGame&) = delete;
  WebGame& operator=(const WebGame&) = delete;

  // Start-up: the colour table, then a random deal for the clock's `seconds` since midnight,
  // or the layout an address names.
  void start(double secondsSinceMidnight);
  void startWith(std::int32_t layout);

  Picture& picture(PictureId id);
  // The art of picture `id` drawn at twice the size; nothing for a picture of another size.
  bool setLargeArt(PictureId id, std::vector<Colour> large);
  // Picture `id` at twice its size from the large art: the arrows' looks from the strip's large
  // tiles, the caged gnome from the cage's; empty while a large art is missing.
  std::vector<Colour> fineDrawing(PictureId id);

  // The pictures changed since the last call, one bit each by PictureId.
  unsigned takeChangedPictures();
  const Declare& declare() const { return declare_; }
  // The process-wide generator, which the victory window's letters draw from too.
  Rnd& rnd() { return declare_.rnd; }
  const std::string& title() const { return title_; }

  // The next thing to show, as a JSON object; empty when nothing waits.
  std::string takeRequest();

  // Pointer events of bar `bar` at (x, y) in its pixels; the pointer is at `client` in the
  // client area's pixels. The browser tells when the pointer leaves a bar.
  void pointerMoved(std::int32_t bar, int x, int y, Point client);
  void pointerPressed(std::int32_t bar, int x, int y, Point client);
  void pointerReleased(std::int32_t bar, int x, int y, Point client);
  void pointerLeft(Point client);
  // The pointer anywhere on the page.
  void pointerAt(Point client) { cursor_ = client; }

  // Menu commands and keys. The start-over question comes from startOverQuestion; these
  // run once the player has answered Yes.
  void newGame(double secondsSinceMidnight);
  void newStart();
  void chooseLayout(std::int32_t number);
  void undo() { session_.undo(); }
  void redo() { session_.redo(); }
  void hint() { session_.hint(); }
  // Keyboard play on the arrow bars, by the desktop's rules: a cursor key, Space or Enter down
  // and up (`repeat` for the browser's own repeat mark, `key` and `timeMs` for the session's
  // rule), Escape.
  void cursorKey(CursorKey key) { session_.cursorKey(key); }
  void pressKey(bool down, bool repeat, int key = 0, std::int64_t timeMs = 0) {
    session_.pressKey(down, repeat, key, timeMs);
  }
  // The page's timer, kRepeatWaitMs after a release; `windowOpen` when a window of the page
  // came over the board meanwhile.
  void releaseSettled(bool windowOpen) {
    windowOpen ? session_.releaseCancelled() : session_.releaseSettled();
  }
  void hideCursor() { session_.hideCursor(); }
  // The arrow under the keyboard's cursor, if it shows.
  std::optional<Arrow> cursor() const { return session_.pointer().cursor(); }

  // What the toolbar of a touch screen may offer: true where the key would do something.
  bool canUndo() const;
  bool canRedo() const;
  bool canHint() const;
  // A screen reader's press of an arrow, as the desktop's.
  void pressArrow(Arrow arrow) { session_.pointer().pressArrow(arrow); }
  // What a screen reader is told of the latest deal, move, undo or win; empty when nothing
  // happened since the last call.
  std::string takeAnnouncement();

  // The game as the browser keeps it, and the game brought back from it: false, with the
  // game as it was, for a text that is not a whole state.
  std::string keptState();
  bool restoreState(const std::string& text);
  // The pictures are in: a gnome caged in a kept game shows caged now.
  void picturesLoaded();

  // The board's version, which a search's answer names.
  std::uint64_t hintVersion() const { return session_.hintVersion(); }
  // A search's answer for the board of `version`.
  void hintFound(std::uint64_t version, const std::vector<solver::Move>& moves) {
    session_.hintFound(version, moves);
  }
  // The blink's timer: true while it must keep ticking.
  bool blinkTick();
  bool blinking() const { return session_.blinking(); }

  // Files. `name` is the file's name as the browser gives it (a browser has no full path).
  std::string proposedSaveName() const;
  // The replace question as a request, or nothing when saving at `name` asks none.
  std::string saveQuestion(const std::string& name, bool somethingThere) const;
  std::string savedText() const;
  void saveFinished(const std::string& name, WriteOutcome outcome);
  // Opens the saved game whose first bytes the page has placed in the folder `folder` under
  // `name`, with the desktop's reader and messages; true when it became the game.
  bool open(const std::string& folder, const std::string& name);
  // Tells the player of `trouble` with the file `name`, in the desktop's messages.
  void fileTrouble(FileTrouble trouble, const std::string& name);

  // GameScreen
  Picture& picPole() override { return picture(PictureId::Board); }
  Picture& PicTrol() override { return picture(PictureId::Mascot); }
  const Picture& picKletka() override { return picture(PictureId::Cage); }
  void showNmRasklada(std::int32_t layoutNumber) override;
  void showNmHod(std::int32_t moves) override;
  void showVictory() override;
  void gameStarted() override;

 private:
  // PlaySession::Host: the browser reports leaving, so the poll is only a flag; a search is a
  // request to the page's worker; the page ticks the blink while blinking() says so.
  Point cursorInClient() override { return cursor_; }
  void startPoll() override { polling_ = true; }
  void stopPoll() override { polling_ = false; }
  bool pollRunning() const override { return polling_; }
  void solve(std::uint64_t version, const solver::Grid& grid) override;
  void showMessage(const MsgBoxRequest& request) override;

  void push(const std::string& request) { requests_.push_back(request); }
  const Picture& board() const { return others_[1]; }

  Declare declare_;
  std::array<Picture, kBars> bars_;
  std::array<Picture, kPictureCount - kBars> others_;  // the strip onwards
  PlaySession session_;
  Point cursor_{-1, -1};
  bool polling_ = false;
  unsigned changed_ = 0;
  std::string title_;
  std::deque<std::string> requests_;
  std::array<std::vector<Colour>, kPictureCount> large_;
  // True when the gnome is caged; before the pictures are in, as the kept game had him.
  bool caged();
  bool picturesIn_ = false;
  bool cagePending_ = false;
  // What the last announcement saw: the games started, the moves on the board, the gnome.
  int games_ = 0;
  int gamesTold_ = -1;
  std::size_t madeTold_ = 0;
  bool cagedTold_ = false;
  std::optional<Arrow> redoTold_;
};

// A request as JSON: a message box.
std::string messageRequest(const MsgBoxRequest& request);

}  // namespace zarvel::web
