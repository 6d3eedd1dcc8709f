// The web page's core: a deal's address, the JSON it hands the page, and the game as the
// page drives it, from the pointer to the saved file and back.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <tuple>

#include "engine/Board.h"
#include "files/SavedGameText.h"
#include "play/frmFormaLayout.h"
#include "tests/support/FakeScreen.h"
#include "tests/support/TempFolder.h"
#include "web/core/Address.h"
#include "web/core/Json.h"
#include "web/core/WebGame.h"

namespace zarvel::web {
namespace {

using testing::TempFolder;

TEST(Address, NamesALayoutByItsDigitsWithinTheLayouts) {
  const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
      {"#layout=1234", 1234},
      {"layout=0", 0},
      {"#layout=32655", 32655},
      {"#x=1&layout=7", 7},
      {"#layout=00042", 42},
      {"#layout=32656", std::nullopt},
      {"#layout=-1", {}},
      {"#layout=+1", {}},
      {"#layout=12a", {}},
      {"#layout=", {}},
      {"#layout=000042", {}},
      {"#layouts=5", {}},
      {"", {}},
      {"#99999999999", {}}};
  for (const auto& [fragment, layout] : cases)
    EXPECT_EQ(layoutOfFragment(fragment), layout) << fragment;
  EXPECT_EQ(fragmentOf(1234), "#layout=1234");
  EXPECT_EQ(layoutOfFragment(fragmentOf(32655)), 32655);
}

TEST(Json, EscapesQuotesAndControlsAndKeepsCyrillic) {
  EXPECT_EQ(jsonString("a\"b\\c\r\n\x01«Файл»"), R"("a\"b\\c\u000d\u000a\u0001«Файл»")");
  EXPECT_EQ(JsonObject().add("n", std::int64_t{-5}).addFlag("f", true).addRaw("r", "[1]").str(),
            R"({"n":-5,"f":true,"r":[1]})");
}

class WebGameTest : public ::testing::Test {
 protected:
  WebGameTest() { game.startWith(1234); }

  // A click on arrow `line` of bar `bar`: in, press, release, all at its middle.
  void click(std::int32_t bar, int line) {
    const Box& box = frmFormaLayout::kPicStrelki[static_cast<std::size_t>(bar)];
    const int along = kPitch * line + 20;
    const int x = bar % 2 == 0 ? along : 19;
    const int y = bar % 2 == 0 ? 19 : along;
    const Point client{box.left + x, box.top + y};
    game.pointerMoved(bar, x, y, client);
    game.pointerPressed(bar, x, y, client);
    game.pointerReleased(bar, x, y, client);
  }
  std::string requests() {
    std::string all;
    for (std::string r = game.takeRequest(); !r.empty(); r = game.takeRequest()) all += r + "\n";
    return all;
  }

  WebGame game;
};

TEST_F(WebGameTest, DealsAsTheDesktopAndMovesUndoesAndRedoesByItsArrows) {
  testing::FakeScreen desktop;
  Declare declare = testing::startedDeclare();
  chooseRasklad(declare, desktop, 1234);
  const std::string dealt = savedGameText(currentGame(declare, desktop.picPole()));
  EXPECT_EQ(game.savedText(), dealt);
  game.takeChangedPictures();

  EXPECT_EQ(game.takeAnnouncement(), "Расклад № 1234");
  click(kBarTop, 3);
  EXPECT_EQ(game.declare().NmHod, 1);
  EXPECT_EQ(game.takeAnnouncement(), "Столбец 4 вверх, ход 1");
  EXPECT_EQ(testing::cells(game.picPole())[21], testing::cells(desktop.picPole())[22]);
  EXPECT_TRUE(game.takeChangedPictures() & (1U << static_cast<int>(PictureId::Board)));
  game.undo();
  EXPECT_EQ(game.takeAnnouncement(), "Отменён: Столбец 4 вверх, ход 0");
  EXPECT_EQ(game.savedText(), dealt);
  EXPECT_EQ(std::tuple(game.canUndo(), game.canRedo(), game.canHint()),
            std::tuple(false, true, true));
  game.redo();
  EXPECT_EQ(game.declare().NmHod, 1);
  EXPECT_EQ(game.takeAnnouncement(), "Повторён: Столбец 4 вверх, ход 1");
  EXPECT_EQ(game.takeAnnouncement(), "");
  EXPECT_EQ(requests(), "");
}

TEST_F(WebGameTest, AKeptGameComesBackWithItsHistoryAndADamagedOneChangesNothing) {
  const std::string dealt = game.savedText();
  click(kBarTop, 3);
  click(kBarLeft, 6);
  click(kBarBottom, 0);
  game.undo();
  game.saveFinished("a b.zrv", WriteOutcome::Ok);
  const std::string kept = game.keptState();

  WebGame again;
  again.startWith(5);
  const std::string other = again.savedText();
  const std::string damaged[] = {"",
                                 "zarvel-page-game 2" + kept.substr(kept.find('\n')),
                                 kept.substr(0, kept.size() - 3),
                                 kept + "x",
                                 std::string(kept).replace(kept.find(" 2 3\n"), 5, " 4 3\n"),
                                 std::string(kept).replace(kept.find("\n2 0 2 "), 7, "\n2 9 2 ")};
  for (const std::string& text : damaged) {
    EXPECT_FALSE(again.restoreState(text)) << text;
    EXPECT_EQ(again.savedText(), other);
  }
  ASSERT_TRUE(again.restoreState(kept));
  EXPECT_EQ(again.savedText(), game.savedText());
  EXPECT_EQ(again.title(), "Головоломка «Zarvel» - [a b.zrv]");
  again.redo();
  EXPECT_EQ(again.declare().NmHod, 3);
  for (int i = 0; i < 3; ++i) again.undo();
  EXPECT_EQ(again.savedText(), dealt);
  EXPECT_FALSE(again.canUndo());
}

TEST_F(WebGameTest, AHintAsksTheWorkerOnceAndBlinksItsAnswerThenAWinAsksForTheVictoryWindow) {
  // One move from solved: every column one colour, then row 0 moved left.
  SavedGame near{7, 3, {}};
  for (std::size_t cell = 0; cell < near.cells.size(); ++cell) {
    const std::size_t column = cell / kLines;
    near.cells[cell] = kCvetaTable[cell % kLines == 0 ? (column + 1) % kLines : column];
  }
  TempFolder folder;
  testing::writeBytes(folder.file("near.zrv"), savedGameText(near));
  ASSERT_TRUE(game.open(folder.path().string(), "near.zrv"));
  EXPECT_EQ(game.title(), "Головоломка «Zarvel» - [near.zrv]");
  click(kBarRight, 0);
  ASSERT_EQ(requests(), R"({"kind":"victory"})"
                        "\n");

  game.undo();
  game.hint();
  game.hint();  // the same board: no second search
  const std::string asked = requests();
  EXPECT_EQ(asked.rfind(R"({"kind":"solve","version":)", 0), 0U) << asked;
  EXPECT_EQ(asked.find('\n'), asked.size() - 1) << asked;
  const std::uint64_t version = std::stoull(asked.substr(asked.find("version") + 9));
  game.hintFound(version, {{kBarTop, 0}});
  EXPECT_TRUE(game.blinking());
  int ticks = 1;
  while (game.blinkTick()) ++ticks;
  EXPECT_EQ(ticks, kBlinkPhases);
  game.hintFound(version - 1, {{kBarTop, 1}});  // an answer for a board gone by
  EXPECT_FALSE(game.blinking());
  EXPECT_EQ(game.cursor(), (Arrow{kBarTop, 0}));  // the blink leaves the cursor there
}

TEST_F(WebGameTest, EnterMakesTheHintedMoveOnceAndAHeldButtonKeepsTheKeysOut) {
  game.hintFound(game.hintVersion(), {{kBarRight, 4}});
  ASSERT_TRUE(game.blinking());
  game.pressKey(true, false);  // the blink gives way; the hinted arrow shows pressed
  game.pressKey(true, true);
  game.pressKey(false, false);
  game.releaseSettled(false);
  EXPECT_EQ(game.declare().NmHod, 1);
  game.pressKey(false, false);  // an Enter that closed a window comes up here too
  game.releaseSettled(false);
  EXPECT_EQ(game.declare().NmHod, 1);
  game.cursorKey(CursorKey::Tab);
  EXPECT_EQ(game.cursor(), (Arrow{kBarLeft, 4}));

  const Point onArrow{frmFormaLayout::kPicStrelki[0].left + 20, frmFormaLayout::kPicStrelki[0].top};
  game.pointerMoved(kBarTop, 20, 5, onArrow);
  game.pointerPressed(kBarTop, 20, 5, onArrow);
  game.cursorKey(CursorKey::Right);
  game.pressKey(true, false);
  game.pressKey(false, false);
  EXPECT_EQ(game.declare().NmHod, 1);
}

// A held key repeats as release and press pairs of one time, marked or not; a player's own
// release and press are further apart. S is the release's wait running out.
TEST_F(WebGameTest, AHeldSpaceOrEnterMakesOneMoveWhateverTheRepeatsAreMarked) {
  const std::pair<const char*, int> cases[] = {
      {"v0 ^700 v700 ^740 v740 ^780 v780 ^2000 S", 1},
      {"v0 ^700 S v700 ^740 v740 ^2000 S", 2},  // a wait that ran out counts its release
      {"v0 ^0 v0 ^0 v0 ^0 S", 1},               // a screen reader's bridge drops the times
      {"v0 ^100 v300 ^400 S", 2},               // two quick presses of the player's
      {"v0 ^100 E300 ^400 S", 2},               // Space, then Enter
      {"v0 ^100 E100 ^200 S", 2},
      {"v0 r50 ^100 S", 1},  // a repeat the browser marks itself
      {"v0 ^100 M", 1},      // the pointer moving on at once
  };
  for (const auto& [keys, moves] : cases) {
    WebGame fresh;
    fresh.startWith(1);
    fresh.cursorKey(CursorKey::Right);  // the first key only shows the cursor
    std::istringstream events(keys);
    for (std::string event; events >> event;) {
      const std::int64_t time = event.size() > 1 ? std::stoll(event.substr(1)) : 0;
      const char kind = event[0];
      if (kind == 'S') fresh.releaseSettled(false);
      if (kind == 'M') fresh.pointerMoved(kBarBottom, 20, 5, {60, 420});
      if (kind != 'S' && kind != 'M')
        fresh.pressKey(kind != '^', kind == 'r', kind == 'E' ? 1 : 0, time);
    }
    EXPECT_EQ(fresh.declare().NmHod, moves) << keys;
  }
}

TEST_F(WebGameTest, SavingAsksOnlyBeforeReplacingAnotherFileAndNamesTheTitle) {
  EXPECT_EQ(game.proposedSaveName(), "1234");
  EXPECT_EQ(game.saveQuestion("a.zrv", false), "");
  EXPECT_NE(game.saveQuestion("a.zrv", true).find("Файл «a.zrv» уже существует."),
            std::string::npos);
  game.saveFinished("a.zrv", WriteOutcome::Ok);
  EXPECT_EQ(game.title(), "Головоломка «Zarvel» - [a.zrv]");
  EXPECT_EQ(game.saveQuestion("a.zrv", true), "");
  game.saveFinished("b.zrv", WriteOutcome::AccessDenied);
  EXPECT_EQ(game.declare().ImjaFaila, "a.zrv");
  EXPECT_NE(requests().find("Файл «b.zrv» защищён от записи."), std::string::npos);
}

TEST_F(WebGameTest, ARefusedFileLeavesTheGameAsItWasWithItsMessage) {
  TempFolder folder;
  testing::writeBytes(folder.file("notes.txt"), "[zarvel]\r\nnot a game\r\n");
  const std::string before = game.savedText();
  EXPECT_FALSE(game.open(folder.path().string(), "notes.txt"));
  EXPECT_EQ(game.savedText(), before);
  EXPECT_EQ(game.title(), "Головоломка «Zarvel»");
  EXPECT_NE(requests().find(R"("text":"Файл «notes.txt» не подходит к программе.")"),
            std::string::npos);

  // Names that are no file's, files lost before the reader saw them, and H with no solution.
  for (const char* name : {"..", ".", ""}) EXPECT_FALSE(game.open(folder.path().string(), name));
  game.fileTrouble(FileTrouble::Vanished, "a.zrv");
  game.fileTrouble(FileTrouble::Picker, "");
  EXPECT_EQ(game.savedText(), before);
  const Colour dealt = game.picPole().point(cellOrigin(6), cellOrigin(3));
  for (const Colour colour : {0x563412, kCvetaTable[dealt == kCvetaTable[0] ? 1 : 0]}) {
    fillSquare(game.picPole(), cellOrigin(6), cellOrigin(3),
               colour);  // a colour from elsewhere first
    game.hint();
  }
  const std::string told = requests();
  for (const char* text :
       {"«..» открыть не", "«.» открыть не", "«» открыть не", "«a.zrv» не найден.",
        "Окно выбора файла открыть не возможно.",
        R"(«Zarvel»","text":"Это поле игра не решит: нужно семь цветов, по семь )"
        "клеток каждого, а цвет #123456 (столбец 7, строка 4) не из семи цветов игры.",
        "каждого, а клеток цвета «"})
    EXPECT_NE(told.find(text), std::string::npos) << text;
}

}  // namespace
}  // namespace zarvel::web
