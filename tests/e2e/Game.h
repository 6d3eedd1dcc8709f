// The game as a player meets it on a real X server: started from a fresh folder on its
// own Xvfb (with or without a window manager), seen only through the screen and the
// window list, and driven only by pointer and keyboard input through XTEST.
#pragma once

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/Image.h"
#include "tests/e2e/Process.h"
#include "tests/e2e/XDisplay.h"

#include <gtest/gtest.h>

namespace zarvel::e2e {

// How long to wait for something expected to appear, and how often to look. Generous,
// because a loaded machine may be slow; a passing test never waits this long.
inline constexpr std::chrono::milliseconds kPatience{10000};
inline constexpr std::chrono::milliseconds kPollInterval{20};

// Looks at `condition` every kPollInterval until it holds or `patience` has passed.
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds patience = kPatience);

enum class WindowManager { None, Openbox };

// Where the game runs from: a copy of the built program and its help page in a fresh folder
// (a portable copy), or an installation of the build into a fresh prefix whose program
// folder the player may not write, started by its menu entry's command.
enum class Origin { PortableCopy, Installation };
// The set-up of this run, from ZARVEL_E2E_WM ("none" or "openbox"; none when unset).
WindowManager windowManagerOfThisRun();

// The main window's client area, in pixels from its top-left corner.
namespace layout {
inline constexpr int kClientWidth = 555;
inline constexpr int kClientHeight = 466;
inline constexpr Rgb kBackground = rgb(0xE0E0E0);
inline constexpr Rect kBoard{48, 120, 281, 281};
// The arrow bars above, right of, below and left of the board.
inline constexpr std::array<Rect, 4> kBars{{
    {48, 80, 281, 39},
    {330, 120, 39, 281},
    {48, 402, 281, 39},
    {8, 120, 39, 281},
}};
inline constexpr Rect kMascot{376, 152, 168, 281};
// The number labels grow to the right with their text; these boxes hold five digits.
inline constexpr Rect kLayoutNumber{476, 80, 59, 24};
inline constexpr Rect kMoveNumber{496, 104, 59, 24};
inline constexpr Point kBanner{12, 12};  // an empty spot of the title banner
inline constexpr int kPitch = 40;
inline constexpr int kSquare = 39;
}  // namespace layout

// The seven board colours, red to violet.
inline constexpr std::array<Rgb, 7> kColours{rgb(0xFF0000), rgb(0xFF8040), rgb(0xFFFF00),
                                             rgb(0x00FF00), rgb(0x00FFFF), rgb(0x0000FF),
                                             rgb(0xFF00FF)};
// The same colours as a saved game stores them (0x00BBGGRR).
inline constexpr std::array<int, 7> kStoredColours{255,      4227327,  65535,   65280,
                                                   16776960, 16711680, 16711935};

// The 49 cells as the screen shows them, column by column like a saved game.
struct Board {
  std::array<Rgb, 49> cells{};
  Rgb at(int column, int row) const { return cells[static_cast<std::size_t>(7 * column + row)]; }
  Rgb& at(int column, int row) { return cells[static_cast<std::size_t>(7 * column + row)]; }
  friend bool operator==(const Board&, const Board&) = default;
};
std::string toString(const Board& board);
void PrintTo(const Board& board, std::ostream* out);
// The board after one move with `bar` (0 up, 1 right, 2 down, 3 left) on `line`.
Board shifted(const Board& board, int bar, int line);
// A board whose columns hold the seven colours in order, then `row` moved one cell to
// the right: a move to the left on that row solves it.
Board oneMoveFromSolved(int row);
// The text of a saved game, exactly as the program writes it.
std::string savedGameText(int layoutNumber, int moves, const Board& board);

enum class Look { Plain, Highlighted, Pressed, Unknown };
std::string toString(Look look);

class Game {
 public:
  // `scale` starts the game with that many device pixels a pixel (QT_SCALE_FACTOR) on a
  // screen as many times larger; the board, the looks and the clicks are still told in the
  // game's own pixels, and the screen's pixels are read at every `scale`-th one.
  explicit Game(WindowManager windowManager, Origin origin = Origin::PortableCopy, int scale = 1);
  ~Game();
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  // Before start(): gives the game a D-Bus session of its own with Qt's accessibility
  // bridge on, as a screen reader's desktop has it. `ready` gets the session's address
  // before the game starts, so that a screen reader listens from the first moment, as one
  // that runs before any program does.
  void useScreenReader(std::function<void(const std::string&)> ready) {
    screenReaderReady_ = std::move(ready);
  }

  // Starts the X server, the window manager when wanted, and the game with `arguments`;
  // waits until the main window shows the first deal and has the keyboard focus.
  ::testing::AssertionResult start(const std::vector<std::string>& arguments = {});

  XDisplay& x() { return *x_; }
  WindowManager windowManager() const { return windowManager_; }
  const std::string& folder() const { return gameFolder_; }  // the program's own folder
  const std::string& home() const { return home_; }          // the player's home folder
  const std::string& prefix() const { return prefix_; }      // an installation's prefix
  std::string scratchFile(const std::string& name) const { return temp_.file(name); }
  pid_t pid() const { return game_.pid(); }
  Window mainWindow() const { return main_; }
  int menuBarHeight() const { return menuBar_; }
  // The client area (below the menu bar) on the screen.
  Rect client() const;
  Point onClient(Point inClient) const;
  Rect onScreen(const Rect& inClient) const;  // in the screen's pixels, which `scale` times
  // A point near the centre of arrow `segment` of `bar`, on the screen.
  Point arrow(int bar, int segment);
  // Points at the arrow and waits until it lights, pointing again now and then.
  ::testing::AssertionResult pointAt(int bar, int segment);

  // What the screen shows now.
  Image clientImage();
  Board board();
  Image layoutNumberImage();
  Image moveNumberImage();
  Image mascotImage();
  // Whether the black grid is whole, every cell is one board colour and each of the seven
  // colours covers seven cells; what is wrong otherwise.
  ::testing::AssertionResult boardIsDrawn();

  // Waits until arrow `segment` of `bar` looks `expected` and every other arrow of every
  // bar is plain (grey).
  ::testing::AssertionResult waitForOnlyLook(int bar, int segment, Look expected,
                                             std::chrono::milliseconds patience = kPatience);
  ::testing::AssertionResult waitForAllPlain();
  // Waits until exactly one arrow shows pressed and every other one is plain: the hint's
  // blink. Its bar and segment; nothing when none blinked.
  std::optional<std::array<int, 2>> waitForBlink();
  ::testing::AssertionResult waitForBoard(const Board& expected);
  // Waits until `grab()` gives `expected` (the window repaints a moment after a change).
  ::testing::AssertionResult waitForImage(const std::function<Image()>& grab,
                                          const Image& expected);

  // Windows of the game.
  std::string title(Window window) { return x_->title(window); }
  // The window manager's title bar above `window`: its ground, one colour a row (shading
  // from top to bottom as a theme likes), and how many of its columns hold anything else:
  // its icon, title and buttons.
  struct TitleBar {
    std::vector<Rgb> ground;
    int ink = 0;
  };
  TitleBar titleBar(Window window);
  // Waits for a window of the game other than the main window, with `title` when given;
  // nothing when none appeared.
  std::optional<Window> waitForDialog(const std::optional<std::string>& title = {});
  // Waits until `window` is unmapped and, under a window manager, out of its frame, so that
  // what it covered has been exposed to the game again.
  ::testing::AssertionResult waitUntilGone(Window window);
  // Waits until no menu or completion list of the game is open: an open one takes all
  // pointer and keyboard input for itself.
  ::testing::AssertionResult waitForNoPopUps();
  ::testing::AssertionResult waitForFocus(Window window);
  ::testing::AssertionResult waitForTitle(Window window, const std::string& expected);
  // Gives the main window the keyboard focus the way a player would, by clicking on its
  // title banner, unless it has the focus already.
  ::testing::AssertionResult focusMainWindow();

  // Commands through the keyboard, each waiting for its dialog, for its end and for the
  // game to have handled it (settle()), so that the screen shows its outcome.
  ::testing::AssertionResult openFile(const std::string& path);  // Ctrl+O, path, Enter
  std::optional<Window> openFileExpectingMessage(const std::string& path);
  ::testing::AssertionResult saveUnderProposedName();                  // Ctrl+S, Enter
  ::testing::AssertionResult chooseLayout(const std::string& digits);  // F3, digits, Enter
  // Ctrl+N, then «Да» or «Нет».
  ::testing::AssertionResult newGame(bool yes);
  // A click on the arrow. The game asks where the pointer is when it handles the
  // release, so the pointer stays on the arrow until the release shows as highlighted,
  // unless `waitForRelease` is false (a window that opens may cover the arrow).
  ::testing::AssertionResult makeMove(int bar, int segment, bool waitForRelease = true);
  // "Справка" → "О программе" with the pointer on the menu bar and the keyboard in the
  // menu; the About box once it has the focus.
  std::optional<Window> openAboutBox();
  // Waits until the game has handled every input sent so far, and so has repainted what a
  // closed window uncovered: the pointer visits an arrow until it shows highlighted, then
  // leaves it until it is grey again.
  ::testing::AssertionResult settle();

  // Starts one of the suite's helper programs on this X server.
  Process startHelper(const std::vector<std::string>& argv, const std::string& logName);

  // What the stand-in for the desktop's opener has been asked to open, one per line.
  std::string openedDocuments() const;
  std::string logs() const;       // the programs' output, for a failure message
  std::string describeWindows();  // the game's windows, for a failure message
  // Keeps the temporary folder, saves a screenshot and tells where both are.
  void reportFailure(const std::string& testName);

 private:
  ::testing::AssertionResult findClientArea();
  ::testing::AssertionResult copyProgram();
  ::testing::AssertionResult install();

  WindowManager windowManager_;
  Origin origin_;
  int scale_;
  TempFolder temp_;
  std::string gameFolder_;
  std::string program_;
  std::string home_;
  std::string prefix_;
  Process xvfb_;
  Process bus_;
  std::function<void(const std::string&)> screenReaderReady_;
  Process openbox_;
  std::unique_ptr<XDisplay> x_;
  Process game_;
  Environment environment_;
  Window main_ = 0;
  int menuBar_ = -1;
  int arrowVisits_ = 0;
};

// A message box the game should show. Its text can only be read off the screen, so a
// small Qt program of the suite draws the standard box with this title, text, icon and
// buttons, and the game's box must match that picture pixel for pixel.
struct ExpectedMessage {
  std::string title;
  std::string text;
  bool question = false;  // «Да» and «Нет» with a warning icon, else «OK» with an error icon
};
// The picture of the expected box; the helper program is closed again before it returns.
std::optional<Image> pictureOf(Game& game, const ExpectedMessage& expected);
// Waits until `window` shows exactly `expected`; keeps both pictures when it does not.
::testing::AssertionResult waitForPicture(Game& game, Window window, const Image& expected,
                                          const std::string& name);

// The files the game's folder holds whose names end in `extension`.
std::vector<std::string> filesEndingIn(const std::string& folder, const std::string& extension);
// "%D0%A1" and the like back to the bytes they stand for.
std::string percentDecoded(const std::string& text);

}  // namespace zarvel::e2e
