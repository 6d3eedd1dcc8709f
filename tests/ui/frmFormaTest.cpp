// The main window: its elements where they belong, its menus, and the start-over flow.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "engine/Board.h"
#include "tests/support/FakeScreen.h"
#include "tests/support/FakeServices.h"
#include "tests/support/Places.h"
#include "ui/MainM.h"
#include "ui/frmForma.h"
#include "widgets/PictureView.h"

namespace zarvel {
namespace {

using testing::FakeServices;

class FrmFormaTest : public ::testing::Test {
 protected:
  void SetUp() override { startUp(declare, form, testing::portableIn("/opt/zarvel")); }
  void TearDown() override { form.close(); }
  // Chooses a menu item, as a player does, through its action.
  void choose(const char* item) { form.findChild<QAction*>(QString::fromLatin1(item))->trigger(); }

  Declare declare;
  FakeServices services;
  frmForma form{declare, services};
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

}  // namespace
}  // namespace zarvel
