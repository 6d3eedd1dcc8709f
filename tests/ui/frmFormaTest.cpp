// The main window: its elements where they belong, its menus, and the start-over flow.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>

#include "engine/Board.h"
#include "tests/support/FakeScreen.h"
#include "tests/support/FakeServices.h"
#include "tests/support/Places.h"
#include "ui/MainM.h"
#include "ui/frmForma.h"
#include "widgets/Conversions.h"
#include "widgets/PictureView.h"

namespace zarvel {
namespace {

using testing::FakeServices;

// A solver the test holds: each search answers with the next of `answers` (the last one
// again when they run out); searches from the `held`-th on wait until the test lets them go.
class HintSolver {
 public:
  std::vector<solver::Move> solve(const solver::Grid& /*grid*/) {
    std::unique_lock lock(mutex_);
    const std::size_t call = calls_++;
    released_.wait(lock, [&] { return call < held_; });
    return answers.at(std::min(call, answers.size() - 1));
  }
  void holdFrom(std::size_t call) {
    {
      const std::lock_guard lock(mutex_);
      held_ = call;
    }
    released_.notify_all();
  }
  void release() { holdFrom(SIZE_MAX); }
  std::size_t calls() {
    const std::lock_guard lock(mutex_);
    return calls_;
  }
  std::vector<std::vector<solver::Move>> answers{{{kBarTop, 1}, {kBarRight, 2}, {kBarLeft, 3}}};

 private:
  std::mutex mutex_;
  std::condition_variable released_;
  std::size_t held_ = SIZE_MAX;
  std::size_t calls_ = 0;
};

class FrmFormaTest : public ::testing::Test {
 protected:
  void SetUp() override { startUp(declare, form, testing::portableIn("/opt/zarvel")); }
  void TearDown() override {
    solver.release();
    form.close();
  }
  // Chooses a menu item, as a player does, through its action.
  void choose(const char* item) { form.findChild<QAction*>(QString::fromLatin1(item))->trigger(); }

  Declare declare;
  FakeServices services;
  HintSolver solver;
  frmForma form{declare, services, nullptr,
                [this](const solver::Grid& grid) { return solver.solve(grid); }};
};

TEST_F(FrmFormaTest, ClientAreaAndEveryElementSitWhereTheyBelong) {
  EXPECT_EQ(form.centralWidget()->size(), QSize(555, 466));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Головоломка «Zarvel»"));
  struct Element {
    const char* name;
    QRect geometry;
    bool visible;
  };
  const Element elements[] = {
      {"title", {0, 0, 553, 73}, true},           {"picStrelki0", {48, 80, 281, 39}, true},
      {"picStrelki1", {330, 120, 39, 281}, true}, {"picStrelki2", {48, 402, 281, 39}, true},
      {"picStrelki3", {8, 120, 39, 281}, true},   {"picPole", {48, 120, 281, 281}, true},
      {"PicTrol", {376, 152, 168, 281}, true},    {"Label2", {368, 80, 108, 24}, true},
      {"lblTxtNmHod", {368, 104, 124, 24}, true}, {"picStrelka", {0, 80, 312, 39}, false},
      {"picKletka", {104, 112, 168, 281}, false},
  };
  for (const Element& element : elements) {
    auto* widget = form.centralWidget()->findChild<QWidget*>(QString::fromLatin1(element.name));
    ASSERT_NE(widget, nullptr) << element.name;
    EXPECT_EQ(widget->geometry(), element.geometry) << element.name;
    EXPECT_EQ(widget->isVisible(), element.visible) << element.name;
  }
  EXPECT_EQ(form.lblNmRasklada()->pos(), QPoint(476, 80));
  EXPECT_EQ(form.lblNmHod()->pos(), QPoint(496, 104));
  EXPECT_EQ(form.lblNmHod()->height(), 24);
  EXPECT_EQ(form.lblNmHod()->text(), QStringLiteral("0"));
  EXPECT_FALSE(form.Timer1().isActive());
  EXPECT_EQ(form.Timer1().interval(), 40);
}

TEST_F(FrmFormaTest, TheWindowCannotBeResizedOrMaximised) {
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
}

TEST_F(FrmFormaTest, NumberLabelsShowFiveDigitsInFull) {
  form.showNmRasklada(32655);
  EXPECT_EQ(form.lblNmRasklada()->text(), QStringLiteral("32655"));
  EXPECT_GE(form.lblNmRasklada()->width(), form.lblNmRasklada()->sizeHint().width());
  EXPECT_LE(form.lblNmRasklada()->geometry().right(), 555);
}

TEST_F(FrmFormaTest, MenusCarryTheirCaptionsAndShortcuts) {
  struct Item {
    const char* name;
    const char* caption;
    QKeySequence shortcut;
  };
  const Item file[] = {
      {"FileNewGame", "Новая игра", QKeySequence(Qt::CTRL | Qt::Key_N)},
      {"FileOpen", "Открыть", QKeySequence(Qt::CTRL | Qt::Key_O)},
      {"FileSave", "Сохранить", QKeySequence(Qt::CTRL | Qt::Key_S)},
      {"FileSaveAs", "Сохранить как...", {}},
      {"FileRasklad", "Расклад...", QKeySequence(Qt::Key_F3)},
      {"FileNewStart", "Начать заново", {}},
      {"FileSep", "", {}},
      {"FileExit", "Выход", {}},
  };
  const Item help[] = {
      {"HelpCallHelp", "Вызов справки", QKeySequence(Qt::Key_F1)},
      {"HelpAbout", "О программе", {}},
  };
  const QList<QAction*> menus = form.menuBar()->actions();
  ASSERT_EQ(menus.size(), 2);
  EXPECT_EQ(menus[0]->text(), QStringLiteral("Игра"));
  EXPECT_EQ(menus[1]->text(), QStringLiteral("Справка"));
  auto check = [](QMenu* menu, const auto& items) {
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(static_cast<std::size_t>(actions.size()), std::size(items));
    for (std::size_t i = 0; i < std::size(items); ++i) {
      const QAction* action = actions[static_cast<qsizetype>(i)];
      EXPECT_EQ(action->objectName(), QString::fromLatin1(items[i].name));
      EXPECT_EQ(action->text(), QString::fromUtf8(items[i].caption));
      EXPECT_FALSE(action->text().contains(QLatin1Char('&'))) << items[i].name;
      EXPECT_EQ(action->shortcut(), items[i].shortcut) << items[i].name;
      EXPECT_EQ(action->isSeparator(), std::string(items[i].name) == "FileSep");
    }
  };
  check(menus[0]->menu(), file);
  check(menus[1]->menu(), help);
}

TEST_F(FrmFormaTest, StartUpDealsAFullBoardWithoutAsking) {
  EXPECT_TRUE(services.messages.requests.empty());
  EXPECT_EQ(declare.PutProgrammy, "/opt/zarvel/");
  EXPECT_EQ(declare.Razdelitel, "/");
  EXPECT_EQ(form.lblNmRasklada()->text(), QString::number(declare.NmRasklada));
  std::map<Colour, int> counts;
  for (Colour colour : testing::cells(form.picPole())) ++counts[colour];
  EXPECT_EQ(counts.size(), 7U);
  for (auto [colour, count] : counts) EXPECT_EQ(count, 7);
}

TEST_F(FrmFormaTest, AnsweringNoChangesNothing) {
  services.messages.answerWith(MsgAnswer::No);
  form.setWindowTitle(QStringLiteral("Головоломка «Zarvel» - [x.zrv]"));
  declare.NmHod = 5;
  form.showNmHod(5);
  declare.ImjaFaila = "/tmp/x.zrv";
  const auto board = testing::cells(form.picPole());
  const auto layout = declare.NmRasklada;

  choose("FileNewGame");
  choose("FileNewStart");

  ASSERT_EQ(services.messages.requests.size(), 2U);
  EXPECT_EQ(services.messages.requests[0].text, "Новая игра?");
  EXPECT_EQ(services.messages.requests[1].text, "Начать заново?");
  EXPECT_EQ(services.messages.requests[1].title, "Головоломка «Zarvel» - [x.zrv]");
  EXPECT_EQ(testing::cells(form.picPole()), board);
  EXPECT_EQ(declare.NmRasklada, layout);
  EXPECT_EQ(declare.NmHod, 5);
  EXPECT_EQ(form.lblNmHod()->text(), QStringLiteral("5"));
  EXPECT_EQ(declare.ImjaFaila, "/tmp/x.zrv");
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Головоломка «Zarvel» - [x.zrv]"));
}

TEST_F(FrmFormaTest, RestartOnYesDealsTheSameLayoutAgainAndKeepsTheCaption) {
  const auto board = testing::cells(form.picPole());
  const auto freeMascot = form.PicTrol().pixels();
  fillSquare(form.picPole(), 1, 1, 0x010203);
  cageMascot(form);
  declare.NmHod = 9;
  form.showNmHod(9);
  form.setWindowTitle(QStringLiteral("Головоломка «Zarvel» - [x.zrv]"));

  choose("FileNewStart");

  EXPECT_EQ(testing::cells(form.picPole()), board);
  EXPECT_EQ(form.lblNmHod()->text(), QStringLiteral("0"));
  EXPECT_EQ(form.PicTrol().pixels(), freeMascot);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Головоломка «Zarvel» - [x.zrv]"));
}

TEST_F(FrmFormaTest, CtrlNAsksAndDealsOnYes) {
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  declare.NmHod = 4;
  form.showNmHod(4);
  declare.ImjaFaila = "/tmp/y.zrv";
  QTest::keyClick(&form, Qt::Key_N, Qt::ControlModifier);
  ASSERT_EQ(services.messages.requests.size(), 1U);
  EXPECT_EQ(services.messages.requests[0].text, "Новая игра?");
  EXPECT_EQ(form.lblNmRasklada()->text(), QString::number(declare.NmRasklada));
  EXPECT_EQ(form.lblNmHod()->text(), QStringLiteral("0"));
  EXPECT_TRUE(declare.ImjaFaila.empty());
}

// A player's click on an arrow of the top bar: move, press and release over it.
void clickTopArrow(frmForma& form, int arrow) {
  auto* bar = form.centralWidget()->findChild<QWidget*>(QStringLiteral("picStrelki0"));
  ASSERT_NE(bar, nullptr);
  const QPoint onArrow(arrow * 40 + 20, 19);
  QCursor::setPos(bar->mapToGlobal(onArrow));
  QTest::mouseMove(bar, onArrow);
  QTest::mousePress(bar, Qt::LeftButton, {}, onArrow);
  QTest::mouseRelease(bar, Qt::LeftButton, {}, onArrow);
}

TEST_F(FrmFormaTest, PressAndReleaseOnArrowThreeOfTheTopBarMovesColumnThreeUp) {
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  const auto before = testing::cells(form.picPole());
  clickTopArrow(form, 3);

  auto after = before;
  for (std::size_t r = 0; r < 7; ++r) after[21 + r] = before[21 + (r + 1) % 7];
  EXPECT_EQ(testing::cells(form.picPole()), after);
  EXPECT_EQ(form.lblNmHod()->text(), QStringLiteral("1"));
  EXPECT_EQ(declare.NmHod, 1);
  EXPECT_TRUE(form.Timer1().isActive());
  // The arrow shows highlighted: the large black tile of the top bar.
  EXPECT_EQ(form.picStrelki(0).point(3 * 40 + 1 + 19, 0), form.picStrelka().point(19, 0));
  EXPECT_EQ(services.victories, 0);
}

TEST_F(FrmFormaTest, UndoAndRedoKeysFollowTheMovesButNotAHeldArrowOrADeal) {
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  const auto dealt = testing::cells(form.picPole());
  clickTopArrow(form, 5);
  const auto moved = testing::cells(form.picPole());
  ASSERT_EQ(declare.NmHod, 1);
  QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(testing::cells(form.picPole()), dealt);
  EXPECT_EQ(form.lblNmHod()->text(), QStringLiteral("0"));

  auto* bar = form.centralWidget()->findChild<QWidget*>(QStringLiteral("picStrelki0"));
  QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(20, 19));
  QTest::keyClick(&form, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(testing::cells(form.picPole()), dealt) << "a key while an arrow is held";
  QCursor::setPos(form.mapToGlobal(QPoint(500, 400)));
  QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(20, 300));  // away: no move

  QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(testing::cells(form.picPole()), moved);
  EXPECT_EQ(declare.NmHod, 1);
  EXPECT_EQ(form.lblNmHod()->text(), QStringLiteral("1"));
  form.FileNewStart_Click();
  QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(testing::cells(form.picPole()), dealt) << "a deal starts a new history";
}

// S shows a symbol over every square, one look for all squares of a colour wherever the moves
// take them, while the picture the game reads stays the colours alone; S again gives the
// classic board pixel for pixel, and a game started later keeps the player's choice.
TEST_F(FrmFormaTest, SShowsSymbolsThatFollowTheSquaresAndTheNextRunKeepsTheChoice) {
  QTemporaryDir config;
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  auto* view = form.centralWidget()->findChild<PictureView*>(QStringLiteral("picPole"));
  const auto onScreen = [&] {
    return view->grab().toImage().convertToFormat(QImage::Format_RGB32);
  };
  const auto classic = [&] {
    QImage image(kBoardPixels, kBoardPixels, QImage::Format_RGB32);
    for (int y = 0; y < kBoardPixels; ++y)
      for (int x = 0; x < kBoardPixels; ++x)
        image.setPixel(x, y, toQRgb(form.picPole().point(x, y)));
    return image;
  };
  // Every square differs from its plain colour, and all squares of a colour look alike.
  const auto symbolsFollowColours = [&] {
    const QImage screen = onScreen(), plain = classic();
    std::map<Colour, QImage> looks;
    for (int row = 0; row < kLines; ++row)
      for (int column = 0; column < kLines; ++column) {
        const QRect square(cellOrigin(column), cellOrigin(row), kSquare, kSquare);
        const QImage look = screen.copy(square);
        const auto [known, fresh] = looks.emplace(cellColour(form.picPole(), column, row), look);
        if (look == plain.copy(square) || (!fresh && known->second != look)) return false;
      }
    return true;
  };
  EXPECT_EQ(onScreen(), classic());
  const std::vector<Colour> dealt = form.picPole().pixels();
  QTest::keyClick(&form, Qt::Key_S);
  EXPECT_TRUE(form.symbolsShown());
  EXPECT_TRUE(symbolsFollowColours());
  EXPECT_EQ(form.picPole().pixels(), dealt) << "the game reads the colours alone";
  clickTopArrow(form, 3);
  form.undoMove();
  clickTopArrow(form, 5);
  EXPECT_TRUE(symbolsFollowColours());
  const auto nextRun = [] {
    Declare values;
    FakeServices dialogs;
    frmForma again(values, dialogs);
    startUp(values, again, testing::portableIn("/opt/zarvel"));
    return again.symbolsShown();
  };
  EXPECT_TRUE(nextRun());
  QTest::keyClick(&form, Qt::Key_S);
  EXPECT_EQ(onScreen(), classic());
  EXPECT_FALSE(nextRun());
}

TEST_F(FrmFormaTest, AWinningClickCagesTheMascotAndOpensTheVictoryWindow) {
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  for (int c = 0; c < 7; ++c)
    for (int r = 0; r < 7; ++r)
      fillSquare(form.picPole(), 1 + 40 * c, 1 + 40 * r, kCvetaTable[static_cast<std::size_t>(c)]);
  clickTopArrow(form, 2);
  EXPECT_EQ(services.victories, 1);
  EXPECT_EQ(form.PicTrol().pixels(), form.picKletka().pixels());
  clickTopArrow(form, 2);
  EXPECT_EQ(services.victories, 2);
  EXPECT_EQ(form.lblNmHod()->text(), QStringLiteral("2"));
}

TEST_F(FrmFormaTest, F3OpensTheLayoutNumberDialogOverTheMainWindow) {
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QTest::keyClick(&form, Qt::Key_F3);
  EXPECT_EQ(services.raskladDialogs, 1);
  EXPECT_TRUE(services.messages.requests.empty());
}

TEST_F(FrmFormaTest, F1HandsTheHelpPageFromTheProgramFolderToTheDesktop) {
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QTest::keyClick(&form, Qt::Key_F1);
  EXPECT_EQ(services.desktop.opened, std::vector<std::string>{"/opt/zarvel/Справка.html"});
  EXPECT_TRUE(services.messages.requests.empty());
}

TEST_F(FrmFormaTest, AboutOpensTheAboutBoxForTheProgramFolder) {
  choose("HelpAbout");
  EXPECT_EQ(services.aboutBoxes, std::vector<std::string>{"/opt/zarvel/"});
}

TEST_F(FrmFormaTest, ExitClosesTheWindowWithoutAQuestion) {
  choose("FileExit");
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(services.messages.requests.empty());
}

// Lets the window's events run until `condition` holds: the hint's answer comes from a thread.
bool soon(const std::function<bool()>& condition) {
  return QTest::qWaitFor(condition);
}

// Which arrows show a look: "bar/line" and H for highlighted or P for pressed, each a word.
std::string looks(frmForma& form) {
  std::string shown;
  for (int bar = 0; bar < kBars; ++bar) {
    const bool horizontal = bar == kBarTop || bar == kBarBottom;
    for (int line = 0; line < kLines; ++line) {
      for (const auto& [tile, look] : {std::pair{bar, 'H'}, std::pair{kBars + bar, 'P'}}) {
        bool same = true;
        for (int a = 0; a < kSquare && same; ++a)
          for (int b = 0; b < kSquare && same; ++b)
            same = form.picStrelki(bar).point(horizontal ? cellOrigin(line) + a : a,
                                              horizontal ? b : cellOrigin(line) + b) ==
                   form.picStrelka().point(kSquare * tile + a, b);
        if (same) shown += std::to_string(bar) + "/" + std::to_string(line) + look + " ";
      }
    }
  }
  return shown;
}

class HintWiring : public FrmFormaTest {
 protected:
  void SetUp() override {
    FrmFormaTest::SetUp();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }
  void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(&form, key, modifiers);
  }
  // Runs the blink to its end: how many of its phases showed `arrow` pressed alone.
  int blinks(const std::string& arrow) {
    int pressed = 0;
    for (int phase = 0; phase < 8; ++phase) {
      pressed += looks(form) == arrow + "P " ? 1 : 0;
      form.blinkTick();
    }
    return pressed;
  }
};

TEST_F(HintWiring, FollowingTheHintKeepsItsPlanAndAnyOtherMoveSearchesAgain) {
  key(Qt::Key_H);
  ASSERT_TRUE(soon([&] { return looks(form) == "0/1P "; })) << looks(form);
  EXPECT_EQ(blinks("0/1"), 3) << "three blinks";
  EXPECT_EQ(looks(form), "0/1H ") << "then the cursor stays on the hinted arrow";
  key(Qt::Key_Return);
  EXPECT_TRUE(soon([&] { return declare.NmHod == 1; })) << "once the release's wait is over";
  key(Qt::Key_H);
  EXPECT_EQ(looks(form), "1/2P ") << "the next move of the same solution, without a search";
  EXPECT_EQ(solver.calls(), 1U);

  // An undo leaves the solution; a redo that is the solution's next move follows it.
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(looks(form), "") << "an undo ends the blink with nothing pressed";
  key(Qt::Key_H);
  ASSERT_TRUE(soon([&] { return solver.calls() == 2; })) << solver.calls();
  ASSERT_TRUE(soon([&] { return looks(form) == "0/1P "; })) << looks(form);
  key(Qt::Key_Y, Qt::ControlModifier);
  key(Qt::Key_H);
  EXPECT_EQ(looks(form), "1/2P ");
  EXPECT_EQ(solver.calls(), 2U);

  // Straying from the solution asks the solver again, and the game carries on.
  key(Qt::Key_Escape);
  key(Qt::Key_Tab);
  key(Qt::Key_Space);
  solver.answers = {{{kBarBottom, 6}}};
  key(Qt::Key_H);
  ASSERT_TRUE(soon([&] { return looks(form) == "2/6P "; })) << looks(form);
  EXPECT_EQ(solver.calls(), 3U);
}

TEST_F(HintWiring, OnABoardWithoutASolutionHSaysWhyAndAsksNoSolver) {
  fillSquare(form.picPole(), cellOrigin(6), cellOrigin(6), 0x010101);
  key(Qt::Key_H);
  EXPECT_EQ(services.messages.requests.size(), 1U);
  EXPECT_EQ(solver.calls(), 0U);
}

TEST_F(HintWiring, AnAnswerForABoardThatMovedOnIsDroppedAndTheLatestRequestIsServed) {
  solver.answers = {{{kBarTop, 1}}, {{kBarLeft, 5}}};
  solver.holdFrom(0);
  key(Qt::Key_H);
  ASSERT_TRUE(soon([&] { return solver.calls() == 1; })) << solver.calls();
  key(Qt::Key_Right);
  key(Qt::Key_Return);  // a move while the solver works on the board before it
  key(Qt::Key_H);
  key(Qt::Key_H);  // the same board again: still one search waiting
  solver.holdFrom(1);
  ASSERT_TRUE(soon([&] { return solver.calls() == 2; }))
      << solver.calls();  // the first answer is in, and the waiting search begun
  EXPECT_EQ(looks(form), "0/0H ") << "the answer for the board before the move shows nothing";
  solver.release();
  ASSERT_TRUE(soon([&] { return looks(form) == "3/5P "; })) << looks(form);
  EXPECT_EQ(blinks("3/5"), 3);

  // Nothing while a button is held on an arrow.
  auto* bar = form.centralWidget()->findChild<QWidget*>(QStringLiteral("picStrelki2"));
  QTest::mouseMove(bar, QPoint(20, 19));
  QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(20, 19));
  key(Qt::Key_H);
  EXPECT_EQ(looks(form), "2/0P ");
  QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(20, 300));
  EXPECT_EQ(solver.calls(), 2U);
}

}  // namespace
}  // namespace zarvel
