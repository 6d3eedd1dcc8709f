// The game in a real window on Xvfb, driven only through the X server's input and read
// back only from the screen, the window list and the files it writes. The same tests run
// without a window manager and under openbox (ZARVEL_E2E_WM).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "tests/e2e/Game.h"

namespace zarvel::e2e {
namespace {

using ::testing::AssertionResult;

const std::string kCaption = "Головоломка «Zarvel»";

class RealWindow : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(game_.start()); }

  void TearDown() override {
    if (!HasFailure()) return;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const char* setUp = game_.windowManager() == WindowManager::Openbox ? "openbox." : "nowm.";
    std::string name = setUp + std::string(info->test_suite_name()) + "." + info->name();
    std::replace(name.begin(), name.end(), '/', '.');
    game_.reportFailure(name);
  }

  // A file of the game's folder, as the player types it into a file dialog.
  std::string inGameFolder(const std::string& name) const { return game_.folder() + "/" + name; }

  static Image picture(const char* name) {
    return readPnm(std::string(ZARVEL_E2E_PICTURES) + "/" + name + ".ppm");
  }

  AssertionResult layoutNumberShows(const Image& expected) {
    return game_.waitForImage([&] { return game_.layoutNumberImage(); }, expected);
  }
  AssertionResult moveNumberShows(const Image& expected) {
    return game_.waitForImage([&] { return game_.moveNumberImage(); }, expected);
  }
  AssertionResult mascotShows(const Image& expected) {
    return game_.waitForImage([&] { return game_.mascotImage(); }, expected);
  }

  // Moves with the bottom bar on column 4 and waits for the board to show it.
  Board moveColumnFourDown() {
    const Board before = game_.board();
    const Board after = shifted(before, 2, 4);
    EXPECT_TRUE(game_.makeMove(2, 4));
    EXPECT_TRUE(game_.waitForBoard(after));
    return after;
  }

  // Saves under the proposed name; the name of the one saved game in the game's folder.
  std::string saveUnderProposedName() {
    EXPECT_TRUE(game_.saveUnderProposedName());
    std::vector<std::string> saved;
    EXPECT_TRUE(waitUntil([&] {
      return (saved = filesEndingIn(game_.folder(), ".zrv")).size() == 1;
    })) << saved.size()
        << " saved games in the game's folder";
    return saved.empty() ? std::string() : saved.front();
  }

  Game game_{windowManagerOfThisRun()};
};

TEST_F(RealWindow, StartsWithItsClientAreaAndTheFirstDeal) {
  const Rect window = game_.x().area(game_.mainWindow());
  EXPECT_EQ(game_.title(game_.mainWindow()), kCaption);
  EXPECT_GT(game_.menuBarHeight(), 10) << "a menu bar above the client area";
  EXPECT_EQ(window.width, layout::kClientWidth);
  EXPECT_EQ(window.height - game_.menuBarHeight(), layout::kClientHeight);
  const Image client = game_.clientImage();
  ASSERT_EQ(client.width(), layout::kClientWidth);
  for (const Point corner : {Point{0, 75}, Point{554, 75}, Point{0, 465}, Point{554, 465}}) {
    EXPECT_EQ(client.at(corner.x, corner.y), layout::kBackground)
        << "at (" << corner.x << ", " << corner.y << ") of the client area";
  }
  EXPECT_TRUE(game_.boardIsDrawn());  // seven squares of each of the seven colours
  EXPECT_TRUE(game_.waitForAllPlain());
  EXPECT_TRUE(mascotShows(picture("PicTrol"))) << "the gnome, free";
}

TEST_F(RealWindow, ArrowFollowsHoverPressDragAndReleaseAndMovesItsColumn) {
  const Board before = game_.board();
  const Image movesAtStart = game_.moveNumberImage();
  XDisplay& x = game_.x();

  x.movePointer(game_.arrow(0, 3));
  ASSERT_TRUE(game_.waitForOnlyLook(0, 3, Look::Highlighted)) << "hover";
  x.button(1, true);
  ASSERT_TRUE(game_.waitForOnlyLook(0, 3, Look::Pressed)) << "press";
  x.movePointer(game_.arrow(0, 4));
  ASSERT_TRUE(game_.waitForOnlyLook(0, 3, Look::Highlighted)) << "held, dragged to arrow 4";
  x.movePointer(game_.onClient({48 + 3 * 40 + 20, 250}));
  ASSERT_TRUE(game_.waitForOnlyLook(0, 3, Look::Highlighted)) << "held, dragged onto the board";
  x.movePointer(game_.arrow(0, 3));
  ASSERT_TRUE(game_.waitForOnlyLook(0, 3, Look::Pressed)) << "held, back on arrow 3";
  EXPECT_EQ(game_.board(), before) << "nothing moves before the release";
  x.button(1, false);
  ASSERT_TRUE(game_.waitForBoard(shifted(before, 0, 3))) << "column 3 moves up by one cell";
  EXPECT_TRUE(game_.waitForOnlyLook(0, 3, Look::Highlighted)) << "released";
  EXPECT_TRUE(game_.boardIsDrawn());
  Image movesAfter;
  EXPECT_TRUE(waitUntil([&] { return (movesAfter = game_.moveNumberImage()) != movesAtStart; }))
      << "the move counter changes";

  // The counter must read "1": the layout label shows the same text once layout 1 is
  // dealt, and that deal puts the counter back to "0".
  ASSERT_TRUE(game_.chooseLayout("1"));
  EXPECT_TRUE(layoutNumberShows(movesAfter)) << "the move counter after one move reads 1";
  EXPECT_TRUE(moveNumberShows(movesAtStart)) << "the move counter after a deal reads 0";
}

struct Release {
  const char* name;
  Point inClient;  // where the button comes up; arrow 3 of the top bar was pressed
  Look lookAfter;  // of the pressed arrow, once the release is handled
};

void PrintTo(const Release& release, std::ostream* out) {
  *out << release.name;
}

class ReleaseAway : public RealWindow, public ::testing::WithParamInterface<Release> {};

TEST_P(ReleaseAway, MakesNoMove) {
  const Release& release = GetParam();
  const Board before = game_.board();
  XDisplay& x = game_.x();
  x.movePointer(game_.arrow(0, 3));
  ASSERT_TRUE(game_.waitForOnlyLook(0, 3, Look::Highlighted));
  x.button(1, true);
  ASSERT_TRUE(game_.waitForOnlyLook(0, 3, Look::Pressed));
  x.movePointer(game_.onClient(release.inClient));
  ASSERT_TRUE(game_.waitForOnlyLook(0, 3, Look::Highlighted)) << "held, pointer away";
  x.button(1, false);
  ASSERT_TRUE(game_.waitForOnlyLook(0, 3, release.lookAfter)) << "released";
  ASSERT_TRUE(game_.settle());
  EXPECT_EQ(game_.board(), before);
}

INSTANTIATE_TEST_SUITE_P(
    RealWindow, ReleaseAway,
    ::testing::Values(
        // Inside the top bar the pressed arrow stays highlighted after the release.
        Release{"OnTheNextArrow", {48 + 4 * 40 + 20, 99}, Look::Highlighted},
        // Outside the bar the next poll tick clears it.
        Release{"OnTheBoard", {48 + 3 * 40 + 20, 250}, Look::Plain},
        Release{"OnTheLeftBar", {27, 120 + 3 * 40 + 20}, Look::Plain}),
    [](const ::testing::TestParamInfo<Release>& release) {
      return std::string(release.param.name);
    });

TEST_F(RealWindow, EachBarShiftsItsLineTowardsItself) {
  struct Move {
    int bar;
    int line;
  };
  for (const Move move : {Move{0, 3}, Move{1, 2}, Move{2, 5}, Move{3, 6}, Move{1, 0}, Move{2, 6}}) {
    SCOPED_TRACE("bar " + std::to_string(move.bar) + ", line " + std::to_string(move.line));
    const Board before = game_.board();
    ASSERT_TRUE(game_.makeMove(move.bar, move.line));
    ASSERT_TRUE(game_.waitForBoard(shifted(before, move.bar, move.line)));
    EXPECT_TRUE(game_.boardIsDrawn());
  }
}

TEST_F(RealWindow, LeavingABarClearsItsHighlight) {
  // Points just off each bar, beyond the one pixel line that still counts as inside.
  const std::array<Point, 4> outside{{{48 + 2 * 40 + 20, 70},
                                      {375, 120 + 5 * 40 + 20},
                                      {48 + 6 * 40 + 20, 450},
                                      {3, 120 + 1 * 40 + 20}}};
  const std::array<int, 4> segment{2, 5, 6, 1};
  XDisplay& x = game_.x();
  for (int bar = 0; bar < 4; ++bar) {
    SCOPED_TRACE("bar " + std::to_string(bar));
    const auto b = static_cast<std::size_t>(bar);
    for (int visit = 1; visit <= 2; ++visit) {  // coming back highlights it again
      x.movePointer(game_.arrow(bar, segment[b]));
      ASSERT_TRUE(game_.waitForOnlyLook(bar, segment[b], Look::Highlighted)) << "visit " << visit;
      x.movePointer(game_.onClient(outside[b]));
      ASSERT_TRUE(game_.waitForAllPlain()) << "after leaving the bar, visit " << visit;
    }
  }
}

TEST_F(RealWindow, WinningMoveCagesTheGnomeAndOpensTheVictoryWindow) {
  const Board nearlySolved = oneMoveFromSolved(2);
  writeFile(inGameFolder("near.zrv"), savedGameText(8, 7, nearlySolved));
  ASSERT_TRUE(game_.openFile(inGameFolder("near.zrv")));
  ASSERT_TRUE(game_.waitForBoard(nearlySolved));
  EXPECT_TRUE(game_.waitForTitle(game_.mainWindow(), kCaption + " - [near.zrv]"));
  EXPECT_TRUE(mascotShows(picture("PicTrol"))) << "the gnome, free";
  EXPECT_NE(game_.moveNumberImage(), game_.layoutNumberImage()) << "7 moves, layout 8";

  ASSERT_TRUE(game_.makeMove(3, 2, false));  // row 2 to the left solves it
  const auto victory = game_.waitForDialog("Конец игры");
  ASSERT_TRUE(victory) << "no window titled \"Конец игры\" after the winning move";
  const Rect area = game_.x().area(*victory);
  EXPECT_EQ(area.width, 584);
  EXPECT_EQ(area.height, 151);
  EXPECT_TRUE(waitUntil([&] {
    const Image window = game_.x().grab(area);
    const Rect all{0, 0, window.width(), window.height()};
    return window.count(all, rgb(0x00FF00)) > 500 && window.count(all, rgb(0x808080)) > 100;
  })) << "green letters with a grey shadow";
  ASSERT_TRUE(game_.waitForFocus(*victory));
  game_.x().key("Return");
  ASSERT_TRUE(game_.waitUntilGone(*victory)) << "Enter closes the victory window";

  EXPECT_TRUE(game_.waitForBoard(shifted(nearlySolved, 3, 2)));
  EXPECT_TRUE(mascotShows(picture("picKletka"))) << "the gnome in his cage";
  EXPECT_TRUE(moveNumberShows(game_.layoutNumberImage())) << "8 moves, layout 8";
}

// Started with a saved game one move from solved: the winning click, then the keys take it
// back (the gnome leaves his cage, the counter goes back) and make it again (victory again).
// Its name is no UTF-8 («игра» in windows-1251), as the system hands it over all the same.
class StartedWithAFile : public RealWindow {
 protected:
  void SetUp() override {
    const std::string name = "\xE8\xE3\xF0\xE0.zrv";
    writeFile(game_.scratchFile(name), savedGameText(8, 7, nearlySolved_));
    ASSERT_TRUE(game_.start({game_.scratchFile(name)}));
    ASSERT_TRUE(game_.waitForBoard(nearlySolved_));
    ASSERT_TRUE(
        game_.waitForTitle(game_.mainWindow(), kCaption + " - [\uFFFD\uFFFD\uFFFD\uFFFD.zrv]"));
  }

  // Waits for the victory window and closes it with Enter, `first` pressed before; then
  // waits for the keys to come back to the main window, which a busy window manager gives it
  // a while later.
  AssertionResult victoryClosed(const char* first = nullptr) {
    const auto victory = game_.waitForDialog("Конец игры");
    if (!victory) return ::testing::AssertionFailure() << "no victory window";
    if (auto focused = game_.waitForFocus(*victory); !focused) return focused;
    if (first != nullptr) game_.x().key(first);
    game_.x().key("Return");
    if (auto gone = game_.waitUntilGone(*victory); !gone) return gone;
    return game_.focusMainWindow();
  }

  const Board nearlySolved_ = oneMoveFromSolved(2);
};

TEST_F(StartedWithAFile, UndoAndRedoTakeBackAndRepeatTheWinningMove) {
  const Image sevenMoves = game_.moveNumberImage();
  ASSERT_TRUE(game_.makeMove(3, 2, false));
  ASSERT_TRUE(victoryClosed("ctrl+z"));  // the main window's keys wait for the window to close
  ASSERT_TRUE(mascotShows(picture("picKletka")));
  ASSERT_TRUE(game_.settle());
  EXPECT_EQ(game_.board(), shifted(nearlySolved_, 3, 2));

  for (const char* undo : {"ctrl+z", "ctrl+z"}) game_.x().key(undo);  // the second finds nothing
  EXPECT_TRUE(game_.waitForBoard(nearlySolved_));
  EXPECT_TRUE(mascotShows(picture("PicTrol"))) << "undoing the win frees the gnome";
  EXPECT_TRUE(moveNumberShows(sevenMoves));

  game_.x().key("ctrl+shift+z");
  EXPECT_TRUE(victoryClosed()) << "a redone winning move celebrates again";
  EXPECT_TRUE(game_.waitForBoard(shifted(nearlySolved_, 3, 2)));
  EXPECT_TRUE(mascotShows(picture("picKletka")));
  EXPECT_TRUE(moveNumberShows(game_.layoutNumberImage())) << "8 moves, layout 8";

  // A new move after an undo drops the redo: Ctrl+Y then changes nothing.
  game_.x().key("ctrl+z");
  ASSERT_TRUE(game_.waitForBoard(nearlySolved_));
  ASSERT_TRUE(game_.makeMove(0, 5));
  ASSERT_TRUE(game_.waitForBoard(shifted(nearlySolved_, 0, 5)));
  game_.x().key("ctrl+y");
  ASSERT_TRUE(game_.settle());
  EXPECT_EQ(game_.board(), shifted(nearlySolved_, 0, 5));
}

TEST_F(StartedWithAFile, FollowingTheHintsWins) {
  // Four moves from solved; the hint's solver finds a shortest way for so near a board.
  for (const auto& [bar, line] : {std::pair{1, 4}, {0, 1}, {1, 2}}) {
    ASSERT_TRUE(game_.makeMove(bar, line));
  }
  Board board = shifted(shifted(shifted(nearlySolved_, 1, 4), 0, 1), 1, 2);
  ASSERT_TRUE(game_.waitForBoard(board));

  // Every column one colour, or every row.
  auto solved = [](const Board& b) {
    bool columns = true, rows = true;
    for (int i = 0; i < 7; ++i)
      for (int j = 1; j < 7; ++j) {
        columns = columns && b.at(i, j) == b.at(i, 0);
        rows = rows && b.at(j, i) == b.at(0, i);
      }
    return columns || rows;
  };
  // From the keyboard: H blinks the hinted arrow and leaves the cursor on it; Enter moves.
  // Straying from the hint once (its line the other way) makes the next H search anew.
  game_.x().movePointer({1, 1});  // off the arrow just clicked, so that only the hint shows
  game_.x().key("h");
  const auto first = game_.waitForBlink();
  ASSERT_TRUE(first) << "no arrow blinked after H";
  ASSERT_TRUE(game_.waitForOnlyLook((*first)[0], (*first)[1], Look::Highlighted));
  game_.x().key("Tab");
  game_.x().key("Return");
  ASSERT_TRUE(game_.waitForBoard(board = shifted(board, ((*first)[0] + 2) % 4, (*first)[1])));
  for (int hints = 1; !solved(board); ++hints) {
    ASSERT_LE(hints, 6) << "following the hints takes longer than the way back";
    game_.x().key("h");
    const auto arrow = game_.waitForBlink();
    ASSERT_TRUE(arrow) << "no arrow blinked after H";
    ASSERT_TRUE(game_.waitForOnlyLook((*arrow)[0], (*arrow)[1], Look::Highlighted))
        << "the blink ends on the cursor";
    EXPECT_EQ(game_.board(), board) << "a hint moves nothing";
    board = shifted(board, (*arrow)[0], (*arrow)[1]);
    game_.x().key("Return");
    if (!solved(board)) {
      ASSERT_TRUE(game_.waitForBoard(board));
    }
  }
  EXPECT_TRUE(victoryClosed());
  ASSERT_TRUE(game_.settle());
  EXPECT_EQ(game_.board(), board) << "the Enter that closes the victory window moves nothing";
}

TEST_F(RealWindow, TheKeyboardAloneReachesEveryBarAndMakesItsMoves) {
  game_.x().movePointer({1, 1});
  ASSERT_TRUE(game_.waitForAllPlain());
  Board board = game_.board();
  for (const char* first : {"space", "Return"}) {  // the first key only shows the cursor
    game_.x().key(first);
    ASSERT_TRUE(game_.waitForOnlyLook(0, 0, Look::Highlighted)) << first;
    game_.x().key("Escape");  // the pointer cannot take an arrow lit already: Escape hides it
    ASSERT_TRUE(game_.waitForAllPlain()) << first;
    EXPECT_EQ(game_.board(), board) << first;
  }
  game_.x().key("KP_Right");  // the keypad's keys as the others
  ASSERT_TRUE(game_.waitForOnlyLook(0, 0, Look::Highlighted));
  for (const char* key : {"KP_Right", "Right", "KP_Down"}) game_.x().key(key);  // Down: nowhere
  ASSERT_TRUE(game_.waitForOnlyLook(0, 2, Look::Highlighted));
  game_.x().keyState("space", true);
  EXPECT_TRUE(game_.waitForOnlyLook(0, 2, Look::Pressed)) << "pressed while the key is down";
  EXPECT_EQ(game_.board(), board);
  game_.x().keyState("space", false);
  ASSERT_TRUE(game_.waitForBoard(board = shifted(board, 0, 2)));

  game_.x().key("Tab");  // column 3 the other way
  ASSERT_TRUE(game_.waitForOnlyLook(2, 2, Look::Highlighted));
  game_.x().key("KP_Enter");
  ASSERT_TRUE(game_.waitForBoard(board = shifted(board, 2, 2)));
  for (const char* key : {"Left", "Left", "Left", "Up"}) game_.x().key(key);  // round the corner
  ASSERT_TRUE(game_.waitForOnlyLook(3, 5, Look::Highlighted));
  game_.x().key("space");
  ASSERT_TRUE(game_.waitForBoard(board = shifted(board, 3, 5)));

  game_.x().key("Escape");
  EXPECT_TRUE(game_.waitForAllPlain()) << "Escape hides the cursor";

  // Held for two seconds, with the server's own repeats (a release and a press every 40 ms):
  // one move.
  ASSERT_TRUE(game_.x().autoRepeatOn());
  game_.x().key("Right");
  ASSERT_TRUE(game_.waitForOnlyLook(0, 0, Look::Highlighted));
  game_.x().keyState("space", true);
  std::this_thread::sleep_for(std::chrono::seconds(2));
  game_.x().keyState("space", false);
  ASSERT_TRUE(game_.waitForBoard(board = shifted(board, 0, 0)));
  game_.x().key("Escape");
  ASSERT_TRUE(game_.settle());
  EXPECT_EQ(game_.board(), board) << "a held Space moves once";
}

TEST_F(RealWindow, NewGameAsksFirst) {
  const Image noMoves = game_.moveNumberImage();
  const Board before = moveColumnFourDown();
  game_.x().movePointer({1, 1});
  const Image moves = game_.moveNumberImage();
  const Image layoutNumber = game_.layoutNumberImage();

  const auto question = pictureOf(game_, {kCaption, "Новая игра?", true});
  ASSERT_TRUE(question);
  ASSERT_TRUE(game_.focusMainWindow());
  game_.x().key("ctrl+n");
  const auto box = game_.waitForDialog(kCaption);
  ASSERT_TRUE(box) << "Ctrl+N asks nothing";
  EXPECT_TRUE(waitForPicture(game_, *box, *question, "NewGameQuestion"));
  ASSERT_TRUE(game_.waitForFocus(*box));
  game_.x().key("Tab");  // from «Да» to «Нет»
  game_.x().key("Return");
  ASSERT_TRUE(game_.waitUntilGone(*box));
  ASSERT_TRUE(game_.settle());
  EXPECT_EQ(game_.board(), before) << "«Нет» keeps the game";
  EXPECT_EQ(game_.moveNumberImage(), moves);
  EXPECT_EQ(game_.layoutNumberImage(), layoutNumber);

  ASSERT_TRUE(game_.newGame(true));
  EXPECT_TRUE(waitUntil([&] { return game_.board() != before && game_.boardIsDrawn(); }))
      << "«Да» deals a new game";
  EXPECT_TRUE(moveNumberShows(noMoves)) << "the move counter starts again at 0";
  EXPECT_EQ(game_.title(game_.mainWindow()), kCaption);
}

TEST_F(RealWindow, SaveWritesTheGameUnderItsLayoutNumber) {
  const Board dealt = game_.board();
  const Board moved = moveColumnFourDown();
  const std::string name = saveUnderProposedName();
  ASSERT_GT(name.size(), 4U);
  const std::string number = name.substr(0, name.size() - 4);
  ASSERT_TRUE(
      std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
      << "the proposed name " << name << " is a layout number";
  const std::string bytes = readFile(inGameFolder(name));
  EXPECT_EQ(bytes, savedGameText(std::stoi(number), 1, moved));
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 52);
  EXPECT_EQ(bytes.find("\n"), bytes.find("\r\n") + 1) << "lines end in CR LF";
  EXPECT_TRUE(game_.waitForTitle(game_.mainWindow(), kCaption + " - [" + name + "]"));

  // The name is the number of the layout that was dealt at the start.
  const int layoutNumber = std::stoi(number);
  if (layoutNumber >= 1 && layoutNumber <= 32655) {
    ASSERT_TRUE(game_.chooseLayout(number));
    EXPECT_TRUE(game_.waitForBoard(dealt)) << "layout " << number << " deals the first board";
  }
}

TEST_F(RealWindow, OpenAfterANewDealRestoresTheSavedGame) {
  const Board moved = moveColumnFourDown();
  const std::string name = saveUnderProposedName();
  ASSERT_FALSE(name.empty());
  const Image layoutNumber = game_.layoutNumberImage();
  const Image moves = game_.moveNumberImage();

  ASSERT_TRUE(game_.newGame(true));
  ASSERT_TRUE(waitUntil([&] { return game_.board() != moved && game_.boardIsDrawn(); }));
  ASSERT_NE(game_.moveNumberImage(), moves);

  ASSERT_TRUE(game_.openFile(inGameFolder(name)));
  EXPECT_TRUE(game_.waitForBoard(moved));
  EXPECT_TRUE(layoutNumberShows(layoutNumber));
  EXPECT_TRUE(moveNumberShows(moves));
  EXPECT_TRUE(game_.waitForTitle(game_.mainWindow(), kCaption + " - [" + name + "]"));
}

TEST_F(RealWindow, RefusedFilesLeaveTheGameAndSayWhy) {
  struct Refused {
    const char* file;  // written into the game's folder, when given
    std::string contents;
    const char* typed;      // into the open dialog
    const char* completed;  // the path the message names
    const char* why;
  };
  const std::string sound = savedGameText(5, 0, oneMoveFromSolved(0));
  const std::vector<Refused> cases{
      {"notes.txt", "Это не сохранённая игра.\r\n", "notes.txt", "notes.txt",
       "не подходит к программе."},
      {"capitals.zrv", "[ZARVEL]" + sound.substr(8), "capitals", "capitals.zrv",
       "не подходит к программе."},
      {nullptr, {}, "absent", "absent.zrv", "не найден."},
  };
  for (const Refused& refused : cases) {
    SCOPED_TRACE(refused.typed);
    if (refused.file != nullptr) writeFile(inGameFolder(refused.file), refused.contents);
    const Board before = game_.board();
    const std::string title = game_.title(game_.mainWindow());
    const std::string text =
        "Файл «" + inGameFolder(refused.completed) + "» " + std::string(refused.why);
    const auto expected = pictureOf(game_, {kCaption, text, false});
    ASSERT_TRUE(expected);

    const auto message = game_.openFileExpectingMessage(inGameFolder(refused.typed));
    ASSERT_TRUE(message);
    EXPECT_TRUE(waitForPicture(game_, *message, *expected, std::string("Refused.") + refused.typed))
        << "the message: " << text;
    ASSERT_TRUE(game_.waitForFocus(*message));
    game_.x().key("Return");
    ASSERT_TRUE(game_.waitUntilGone(*message));
    ASSERT_TRUE(game_.settle());
    EXPECT_EQ(game_.board(), before);
    EXPECT_EQ(game_.title(game_.mainWindow()), title);
  }
}

TEST_F(RealWindow, LayoutNumberDialogDealsTheTypedLayout) {
  const Image noMoves = game_.moveNumberImage();
  moveColumnFourDown();
  ASSERT_TRUE(game_.chooseLayout("1234"));
  ASSERT_TRUE(moveNumberShows(noMoves));
  ASSERT_TRUE(game_.boardIsDrawn());
  const Board layout1234 = game_.board();
  const Image label1234 = game_.layoutNumberImage();

  ASSERT_TRUE(game_.newGame(true));
  ASSERT_TRUE(waitUntil([&] { return game_.board() != layout1234; }));
  ASSERT_TRUE(game_.chooseLayout("01234"));  // the same number
  EXPECT_TRUE(game_.waitForBoard(layout1234));
  EXPECT_TRUE(layoutNumberShows(label1234));

  // The dealt game belongs to no file, and its number is the name a save proposes.
  EXPECT_EQ(saveUnderProposedName(), "1234.zrv");
}

TEST_F(RealWindow, CancelInTheLayoutNumberDialogDealsNothing) {
  const Board before = game_.board();
  const Image layoutNumber = game_.layoutNumberImage();
  ASSERT_TRUE(game_.focusMainWindow());
  game_.x().key("F3");
  const auto dialog = game_.waitForDialog("Номер расклада");
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(game_.waitForFocus(*dialog));
  game_.x().type("1234");
  game_.x().key("Tab");  // to «OK», enabled by the number
  game_.x().key("Tab");  // to «Отмена»
  game_.x().key("Return");
  ASSERT_TRUE(game_.waitUntilGone(*dialog));
  ASSERT_TRUE(game_.settle());
  EXPECT_EQ(game_.board(), before) << "Enter on «Отмена» deals nothing";
  EXPECT_EQ(game_.layoutNumberImage(), layoutNumber);
}

TEST_F(RealWindow, HelpKeyOpensTheHelpPageBesideTheProgram) {
  ASSERT_TRUE(game_.focusMainWindow());
  game_.x().key("F1");
  ASSERT_TRUE(waitUntil([&] { return !game_.openedDocuments().empty(); }))
      << "the desktop's opener was not asked to open anything";
  EXPECT_EQ(percentDecoded(game_.openedDocuments()),
            "file://" + inGameFolder("Справка.html") + "\n");
}

// Within the About box's Picture1 (8, 160, 80 x 45) and inside its sunken border: 15 rows
// of white, 16 of blue, then red down to the border, each row one colour from side to side.
AssertionResult showsTheFlag(const Image& box) {
  if (box.width() != 356 || box.height() != 209) return ::testing::AssertionFailure() << "no box";
  const Rect inside{11, 161, 74, 43};  // a pixel or two in from the border on every side
  int row = inside.y;
  while (row < inside.y + inside.height && box.at(48, row) != rgb(0xFFFFFF)) ++row;
  struct Band {
    Rgb colour;
    int rows;
  };
  for (const Band band :
       {Band{rgb(0xFFFFFF), 15}, Band{rgb(0x0000FF), 16}, Band{rgb(0xFF0000), 10}}) {
    for (int i = 0; i < band.rows; ++i, ++row) {
      if (row >= inside.y + inside.height ||
          box.count({inside.x, row, inside.width, 1}, band.colour) != inside.width) {
        return ::testing::AssertionFailure()
               << "row " << row << " of the About box is not all " << toString(band.colour);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

TEST_F(RealWindow, AboutBoxShowsTheFlagAndOpensTheSite) {
  const auto about = game_.openAboutBox();
  ASSERT_TRUE(about);
  const Rect area = game_.x().area(*about);
  EXPECT_EQ(area.width, 356);
  EXPECT_EQ(area.height, 209);

  // The flag inside Picture1 (8, 160, 80 x 45), drawn before the box shows.
  AssertionResult flag = ::testing::AssertionFailure();
  waitUntil([&] { return static_cast<bool>(flag = showsTheFlag(game_.x().grab(area))); });
  EXPECT_TRUE(flag);

  // The site link writes a redirect page beside the program and hands it to the desktop.
  game_.x().click({area.x + 152 + 30, area.y + 56 + 10});
  ASSERT_TRUE(waitUntil([&] { return !game_.openedDocuments().empty(); }))
      << "the desktop's opener was not asked to open anything";
  EXPECT_EQ(percentDecoded(game_.openedDocuments()), "file://" + inGameFolder("0.html") + "\n");
  const std::string page = readFile(inGameFolder("0.html"));
  const std::string head = "<html><head><meta http-equiv='refresh' content='0; url=http";
  const std::string tail =
      "'><meta http-equiv='Content-Type' content='text/html; charset=windows-1251'>"
      "<title>WWW</title></head><body></body></html>\r\n";
  EXPECT_EQ(page.substr(0, head.size()), head) << page;
  EXPECT_TRUE(page.size() > tail.size() && page.substr(page.size() - tail.size()) == tail) << page;

  ASSERT_TRUE(game_.waitForFocus(*about));
  game_.x().key("Return");
  EXPECT_TRUE(game_.waitUntilGone(*about)) << "Enter closes the About box";
}

// S held through the server's repeats shows the symbols once, each square keeping its colour
// round its symbol; S again gives the plain squares back.
TEST_F(RealWindow, AHeldSShowsTheSymbolsOnceOverTheColours) {
  const Board board = game_.board();
  const auto symbols = [&] {
    const Image client = game_.clientImage();
    int shown = 0;
    for (int column = 0; column < 7; ++column)
      for (int row = 0; row < 7; ++row) {
        const int x = layout::kBoard.x + 1 + layout::kPitch * column;
        const int y = layout::kBoard.y + 1 + layout::kPitch * row;
        shown +=
            client.at(x + 19, y + 19) == rgb(0x181818) && client.at(x, y) == board.at(column, row);
      }
    return shown;
  };
  game_.x().keyState("s", true);
  ASSERT_TRUE(waitUntil([&] { return symbols() == 49; }));
  int gone = 0;  // looks at the board, while the key is held, that miss a symbol
  for (const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
       std::chrono::steady_clock::now() < end;)
    gone += symbols() != 49;
  game_.x().keyState("s", false);
  ASSERT_TRUE(game_.settle());
  EXPECT_EQ(gone, 0) << "a held S shows the symbols once";
  EXPECT_EQ(symbols(), 49);
  game_.x().key("s");
  EXPECT_TRUE(waitUntil([&] { return symbols() == 0; }));
  EXPECT_EQ(game_.board(), board);
}

// Windows that the game centres on the screen must be centred with whatever the window
// manager puts around them, to within a pixel or two.
TEST_F(RealWindow, CentredWindowsAreCentredWithTheirFrames) {
  const Rect screen = game_.x().screen();
  const auto expectCentred = [&](Window window, const std::string& what) {
    const Rect frame = game_.x().frame(window);
    EXPECT_LE(std::abs(2 * frame.x + frame.width - screen.width), 4)
        << what << " with its frame at " << toString(frame);
    EXPECT_LE(std::abs(2 * frame.y + frame.height - screen.height), 4)
        << what << " with its frame at " << toString(frame);
  };
  expectCentred(game_.mainWindow(), "the main window");

  ASSERT_TRUE(game_.focusMainWindow());
  game_.x().key("F3");
  const auto dialog = game_.waitForDialog("Номер расклада");
  ASSERT_TRUE(dialog);
  expectCentred(*dialog, "the layout-number dialog");
  ASSERT_TRUE(game_.waitForFocus(*dialog));
  game_.x().key("Escape");
  ASSERT_TRUE(game_.waitUntilGone(*dialog));

  const auto about = game_.openAboutBox();
  ASSERT_TRUE(about);
  expectCentred(*about, "the About box");
  game_.x().key("Escape");
  ASSERT_TRUE(game_.waitUntilGone(*about));

  writeFile(inGameFolder("near.zrv"), savedGameText(8, 7, oneMoveFromSolved(4)));
  ASSERT_TRUE(game_.openFile(inGameFolder("near.zrv")));
  ASSERT_TRUE(game_.makeMove(3, 4, false));
  const auto victory = game_.waitForDialog("Конец игры");
  ASSERT_TRUE(victory);
  expectCentred(*victory, "the victory window");
}

// Under a window manager a message box is wide enough for its whole title, at any scale:
// its title bar holds as much as the main window's, both drawn active, which has the same
// title and room to spare (an elided title leaves columns of the bar empty).
class MessageBoxTitle : public ::testing::TestWithParam<int> {};

TEST_P(MessageBoxTitle, ShowsWhole) {
  if (windowManagerOfThisRun() == WindowManager::None) GTEST_SKIP() << "no title bars";
  Game game(WindowManager::Openbox, Origin::PortableCopy, GetParam());
  ASSERT_TRUE(game.start());
  game.x().key("ctrl+n");
  const auto box = game.waitForDialog(kCaption);
  ASSERT_TRUE(box);
  // Both bars are drawn once the box's is the more colourful, as an active bar is.
  const auto colour = [](const Game::TitleBar& bar) {
    int sum = 0;
    for (const Rgb c : bar.ground) sum += std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b});
    return sum;
  };
  Game::TitleBar boxBar;
  Game::TitleBar mainBar;
  ASSERT_TRUE(waitUntil([&] {
    boxBar = game.titleBar(*box);
    return colour(boxBar) > colour(game.titleBar(game.mainWindow()));
  }));
  game.x().key("Escape");
  ASSERT_TRUE(game.waitUntilGone(*box));
  ASSERT_TRUE(waitUntil([&] {
    mainBar = game.titleBar(game.mainWindow());
    return mainBar.ground == boxBar.ground;
  })) << "the main window's title bar is not drawn active again";
  EXPECT_EQ(boxBar.ink, mainBar.ink)
      << "columns of the title bar drawn, in the box and the main window";
}

INSTANTIATE_TEST_SUITE_P(RealWindow, MessageBoxTitle, ::testing::Values(1, 2),
                         [](const ::testing::TestParamInfo<int>& scale) {
                           return "AtScale" + std::to_string(scale.param);
                         });

// After a dialog closes, the main window must take the keyboard again, so that its
// shortcuts work without a click.
TEST_F(RealWindow, KeyboardFocusReturnsToTheMainWindowAfterADialog) {
  struct Closing {
    const char* keys;    // open the dialog
    const char* title;   // of the dialog
    const char* answer;  // closes it without changing the game
  };
  for (const Closing closing : {Closing{"F3", "Номер расклада", "Escape"},
                                Closing{"ctrl+n", "Головоломка «Zarvel»", "Escape"}}) {
    SCOPED_TRACE(closing.title);
    ASSERT_TRUE(game_.waitForFocus(game_.mainWindow()));
    game_.x().key(closing.keys);
    const auto dialog = game_.waitForDialog(closing.title);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(game_.waitForFocus(*dialog));
    game_.x().key(closing.answer);
    ASSERT_TRUE(game_.waitUntilGone(*dialog));
    ASSERT_TRUE(game_.waitForFocus(game_.mainWindow())) << "after closing " << closing.title;
  }
  // Then Alt and Down open «Игра», and Down and Return choose «Открыть», not a move.
  const Board board = game_.board();
  for (const char* key : {"Alt_L", "Down", "Down", "Return"}) game_.x().key(key);
  const auto open = game_.waitForDialog();
  ASSERT_TRUE(open) << "no window after «Открыть»";
  ASSERT_TRUE(game_.waitForFocus(*open));
  game_.x().key("Escape");
  ASSERT_TRUE(game_.waitUntilGone(*open));
  ASSERT_TRUE(game_.waitForFocus(game_.mainWindow()));
  // The menu bar gives the keys back when it lets go: Escape hides the cursor again.
  game_.x().key("Right");
  ASSERT_TRUE(game_.waitForOnlyLook(0, 0, Look::Highlighted));
  for (const char* key : {"Alt_L", "Escape", "Escape"}) game_.x().key(key);
  EXPECT_TRUE(game_.waitForAllPlain()) << "Alt, Escape, then Escape hides the cursor";
  EXPECT_EQ(game_.board(), board);
}

// The game installed for all players and started by its menu entry's command: it writes
// nothing into its read-only program folder, saves into the player's documents folder (made
// when first needed), opens the game again from there, opens the installed help page, and
// writes the site link's page into the player's cache folder.
class InstalledGame : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(game_.start()); }
  void TearDown() override {
    if (HasFailure()) {
      const char* setUp = game_.windowManager() == WindowManager::Openbox ? "openbox." : "nowm.";
      game_.reportFailure(std::string(setUp) + "InstalledGame." +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
  }
  Game game_{windowManagerOfThisRun(), Origin::Installation};
};

TEST_F(InstalledGame, KeepsToThePlayersFoldersAndFindsItsHelpPage) {
  const std::string programFolder = game_.folder();
  const auto before = filesEndingIn(programFolder, "");
  const std::string games = game_.home() + "/Documents/Zarvel";

  ASSERT_TRUE(game_.focusMainWindow());
  game_.x().key("F1");
  ASSERT_TRUE(waitUntil([&] { return !game_.openedDocuments().empty(); }));
  EXPECT_EQ(percentDecoded(game_.openedDocuments()),
            "file://" + game_.prefix() + "/share/zarvel/Справка.html\n");

  ASSERT_TRUE(game_.saveUnderProposedName());
  std::vector<std::string> saved;
  ASSERT_TRUE(waitUntil([&] { return (saved = filesEndingIn(games, ".zrv")).size() == 1; }))
      << "no saved game in " << games;
  EXPECT_TRUE(game_.waitForTitle(game_.mainWindow(), kCaption + " - [" + saved.front() + "]"));
  const Board board = game_.board();

  ASSERT_TRUE(game_.newGame(true));
  ASSERT_TRUE(waitUntil([&] { return game_.board() != board; }));
  ASSERT_TRUE(game_.openFile(games + "/" + saved.front()));
  EXPECT_TRUE(game_.waitForBoard(board));

  const auto about = game_.openAboutBox();
  ASSERT_TRUE(about);
  const Rect area = game_.x().area(*about);
  game_.x().click({area.x + 152 + 30, area.y + 56 + 10});
  const std::string page = game_.home() + "/.cache/zarvel/0.html";
  ASSERT_TRUE(waitUntil([&] {
    const std::string opened = game_.openedDocuments();
    return std::count(opened.begin(), opened.end(), '\n') == 2;  // the help page, then this
  }));
  EXPECT_NE(percentDecoded(game_.openedDocuments()).find("file://" + page + "\n"),
            std::string::npos)
      << game_.openedDocuments();
  EXPECT_NE(readFile(page).find("url=https://zarvel.example.org/"), std::string::npos);
  ASSERT_TRUE(game_.waitForFocus(*about));
  game_.x().key("Return");
  EXPECT_TRUE(game_.waitUntilGone(*about));

  EXPECT_EQ(filesEndingIn(programFolder, ""), before) << "nothing beside the program";
}
// At two device pixels a pixel the game shows the art program's drawings at twice the size,
// a look copied in as its large tile, and the victory letters drawn at the screen's
// resolution: none of them the small picture with every pixel doubled.
class ScaledWindow : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(game_.start()); }
  void TearDown() override {
    if (HasFailure()) {
      const char* setUp = game_.windowManager() == WindowManager::Openbox ? "openbox." : "nowm.";
      game_.reportFailure(std::string(setUp) + "ScaledWindow." +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
  }
  static Image large(const std::string& name) {
    return readPnm(std::string(ZARVEL_E2E_PICTURES) + "/" + name + "@2x.ppm");
  }
  static constexpr int kScale = 2;
  Game game_{windowManagerOfThisRun(), Origin::PortableCopy, kScale};
};

TEST_F(ScaledWindow, ShowsTheLargeDrawingsAndSharpLetters) {
  Image bar = large("picStrelki0");  // arrow 3 highlighted: the strip's first tile over it
  const Image strip = large("picStrelka");
  for (int y = 0; y < kScale * layout::kSquare; ++y)
    for (int x = 0; x < kScale * layout::kSquare; ++x)
      bar.set(kScale * (3 * layout::kPitch + 1) + x, y, strip.at(x, y));
  game_.x().movePointer(game_.arrow(0, 3));
  ASSERT_TRUE(game_.waitForOnlyLook(0, 3, Look::Highlighted));
  EXPECT_TRUE(
      game_.waitForImage([&] { return game_.x().grab(game_.onScreen(layout::kBars[0])); }, bar));
  EXPECT_TRUE(game_.waitForImage([&] { return game_.mascotImage(); }, large("PicTrol")));

  const Board nearlySolved = oneMoveFromSolved(2);
  writeFile(game_.folder() + "/near.zrv", savedGameText(8, 7, nearlySolved));
  ASSERT_TRUE(game_.openFile(game_.folder() + "/near.zrv"));
  ASSERT_TRUE(game_.waitForBoard(nearlySolved));
  ASSERT_TRUE(game_.makeMove(3, 2, false));
  const auto victory = game_.waitForDialog("Конец игры");
  ASSERT_TRUE(victory);
  // Squares of 2 x 2 screen pixels, from the window's corner, that hold some green: a
  // doubled drawing fills each with one colour, letters drawn sharp cut many.
  int green = 0;
  int cut = 0;
  EXPECT_TRUE(waitUntil([&] {
    const Image window = game_.x().grab(game_.x().area(*victory));
    green = cut = 0;
    for (int y = 0; y + 1 < window.height(); y += 2)
      for (int x = 0; x + 1 < window.width(); x += 2) {
        const Rgb square[] = {window.at(x, y), window.at(x + 1, y), window.at(x, y + 1),
                              window.at(x + 1, y + 1)};
        if (std::find(std::begin(square), std::end(square), rgb(0x00FF00)) == std::end(square)) {
          continue;
        }
        ++green;
        if (std::count(std::begin(square), std::end(square), square[0]) != 4) ++cut;
      }
    return green > 500 && cut > green / 10;
  })) << cut
      << " of " << green << " squares with green cut by an edge";
  ASSERT_TRUE(game_.waitForFocus(*victory));
  game_.x().key("Return");
  ASSERT_TRUE(game_.waitUntilGone(*victory));
  EXPECT_TRUE(game_.waitForImage([&] { return game_.mascotImage(); }, large("picKletka")));
}

}  // namespace
}  // namespace zarvel::e2e
