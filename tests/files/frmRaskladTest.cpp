// The layout-number dialog driven with real keys: what reaches the box, when "OK" can be
// pressed, and what "OK" and "Отмена" do to the game.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include "engine/NewGameM.h"
#include "files/frmRasklad.h"
#include "tests/support/FakeScreen.h"

namespace zarvel {
namespace {

// Notes whether the dialog was still in sight when the layout was dealt.
class WatchingScreen : public testing::FakeScreen {
 public:
  void showNmRasklada(std::int32_t value) override {
    FakeScreen::showNmRasklada(value);
    if (dialog != nullptr) dialogVisibleDuringDeal = dialog->isVisible();
  }
  QWidget* dialog = nullptr;
  bool dialogVisibleDuringDeal = true;
};

class FrmRaskladTest : public ::testing::Test {
 protected:
  void SetUp() override {
    declare.NmRasklada = 500;
    NewRasklad(declare, screen);
    declare.NmHod = 7;
    declare.ImjaFaila = "/home/player/game.zrv";
    before = testing::cells(screen.picPole());
    screen.lblNmRasklada = -1;
    screen.lblNmHod = -1;
    screen.dialog = &dialog;
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }
  void TearDown() override { dialog.close(); }

  void type(const QString& keys) { QTest::keyClicks(dialog.txtNomer(), keys); }
  void retype(const QString& keys) {
    dialog.txtNomer()->clear();
    type(keys);
  }
  void expectGameUntouched() {
    EXPECT_EQ(declare.NmRasklada, 500);
    EXPECT_EQ(declare.NmHod, 7);
    EXPECT_EQ(declare.ImjaFaila, "/home/player/game.zrv");
    EXPECT_EQ(screen.lblNmRasklada, -1);
    EXPECT_EQ(screen.lblNmHod, -1);
    EXPECT_EQ(testing::cells(screen.picPole()), before);
  }

  Declare declare = testing::startedDeclare();
  WatchingScreen screen;
  frmRasklad dialog{declare, screen, nullptr};
  std::vector<Colour> before;
};

TEST_F(FrmRaskladTest, ControlsSitWhereTheyBelongWithTheirTexts) {
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Номер расклада"));
  EXPECT_EQ(dialog.size(), QSize(245, 137));
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(dialog.isModal());
  EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(224, 224, 224));

  EXPECT_EQ(dialog.Label1()->geometry(), QRect(8, 8, 225, 41));
  EXPECT_EQ(dialog.Label1()->text(), QStringLiteral("Выберите номер расклада от 1 до 32655"));
  EXPECT_TRUE(dialog.Label1()->alignment().testFlag(Qt::AlignHCenter));
  EXPECT_EQ(dialog.txtNomer()->geometry(), QRect(72, 56, 97, 28));
  EXPECT_EQ(dialog.kOK()->geometry(), QRect(32, 96, 81, 33));
  EXPECT_EQ(dialog.kOK()->text(), QStringLiteral("OK"));
  EXPECT_EQ(dialog.kNO()->geometry(), QRect(120, 96, 81, 33));
  EXPECT_EQ(dialog.kNO()->text(), QStringLiteral("Отмена"));

  // 12 pt and 9.75 pt on the 96-dpi scale the layout was made for.
  for (QWidget* widget :
       {static_cast<QWidget*>(dialog.Label1()), static_cast<QWidget*>(dialog.txtNomer())}) {
    EXPECT_EQ(widget->font().pixelSize(), 16);
    EXPECT_TRUE(widget->font().bold());
  }
  EXPECT_EQ(dialog.kOK()->font().pixelSize(), 13);
  EXPECT_EQ(dialog.kNO()->font().pixelSize(), 13);
  // The label's text fits its box: two lines of the label are all it has.
  EXPECT_LE(dialog.Label1()->heightForWidth(225), 41);
}

TEST_F(FrmRaskladTest, OpensEmptyWithTheFocusInTheBoxAndOkDisabled) {
  EXPECT_TRUE(dialog.txtNomer()->text().isEmpty());
  EXPECT_EQ(QApplication::focusWidget(), dialog.txtNomer());
  EXPECT_FALSE(dialog.kOK()->isEnabled());
  EXPECT_TRUE(dialog.kOK()->isDefault());
  EXPECT_EQ(dialog.txtNomer()->maxLength(), 5);
  EXPECT_EQ(dialog.txtNomer()->nextInFocusChain(), dialog.kOK());
  EXPECT_EQ(dialog.kOK()->nextInFocusChain(), dialog.kNO());
}

TEST_F(FrmRaskladTest, LettersSignsSpacesAndPointsNeverReachTheBox) {
  type(QStringLiteral("1a-2 .3,Z+4"));
  // A Russian keyboard's letter, as the key event brings it.
  QTest::sendKeyEvent(QTest::Click, dialog.txtNomer(), Qt::Key_unknown, QStringLiteral("я"),
                      Qt::NoModifier);
  EXPECT_EQ(dialog.txtNomer()->text(), QStringLiteral("1234"));
}

TEST_F(FrmRaskladTest, BackspaceAndTheEditingKeysWork) {
  type(QStringLiteral("123"));
  QTest::keyClick(dialog.txtNomer(), Qt::Key_Backspace);
  EXPECT_EQ(dialog.txtNomer()->text(), QStringLiteral("12"));
  QTest::keyClick(dialog.txtNomer(), Qt::Key_Home);
  QTest::keyClick(dialog.txtNomer(), Qt::Key_Delete);
  EXPECT_EQ(dialog.txtNomer()->text(), QStringLiteral("2"));
}

TEST_F(FrmRaskladTest, CtrlVAndCtrlXAreDiscardedWhileCtrlCCopies) {
  QGuiApplication::clipboard()->setText(QStringLiteral("777"));
  type(QStringLiteral("42"));
  QTest::keyClick(dialog.txtNomer(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(dialog.txtNomer()->text(), QStringLiteral("42"));

  dialog.txtNomer()->selectAll();
  QTest::keyClick(dialog.txtNomer(), Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(dialog.txtNomer()->text(), QStringLiteral("42"));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("777"));

  dialog.txtNomer()->selectAll();
  QTest::keyClick(dialog.txtNomer(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("42"));
  EXPECT_EQ(dialog.txtNomer()->text(), QStringLiteral("42"));
}

TEST_F(FrmRaskladTest, OkFollowsTheTypedNumber) {
  struct Case {
    const char* keys;
    bool enabled;
  };
  const Case cases[] = {{"", false},     {"0", false},     {"00000", false}, {"1", true},
                        {"32655", true}, {"32656", false}, {"99999", false}, {"00042", true}};
  for (const Case& c : cases) {
    retype(QString::fromLatin1(c.keys));
    EXPECT_EQ(dialog.kOK()->isEnabled(), c.enabled) << c.keys;
  }
  retype(QStringLiteral("00042"));
  EXPECT_EQ(dialog.typedNumber(), 42);
  // Taking a digit away is a change of the text too.
  retype(QStringLiteral("32656"));
  QTest::keyClick(dialog.txtNomer(), Qt::Key_Backspace);
  EXPECT_TRUE(dialog.kOK()->isEnabled());
}

TEST_F(FrmRaskladTest, ASixthDigitIsRefused) {
  type(QStringLiteral("123456"));
  EXPECT_EQ(dialog.txtNomer()->text(), QStringLiteral("12345"));
}

TEST_F(FrmRaskladTest, EnterWhileOkIsDisabledDoesNothing) {
  QTest::keyClick(dialog.txtNomer(), Qt::Key_Return);
  type(QStringLiteral("0"));
  QTest::keyClick(dialog.txtNomer(), Qt::Key_Return);
  EXPECT_TRUE(dialog.isVisible());
  expectGameUntouched();
}

TEST_F(FrmRaskladTest, Confirming1234DealsLayout1234AsANewGame) {
  type(QStringLiteral("1234"));
  QTest::keyClick(dialog.txtNomer(), Qt::Key_Return);

  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(screen.dialogVisibleDuringDeal);
  EXPECT_EQ(declare.NmRasklada, 1234);
  EXPECT_EQ(screen.lblNmRasklada, 1234);
  EXPECT_EQ(declare.NmHod, 0);
  EXPECT_EQ(screen.lblNmHod, 0);
  EXPECT_TRUE(declare.ImjaFaila.empty());
  EXPECT_EQ(testing::cells(screen.picPole()), testing::dealtCells(1234));
}

TEST_F(FrmRaskladTest, ClickingOkWithTheLayoutOnTheBoardDealsItAnew) {
  screen.picPole().fillBox(1, 1, 39, 39, 0x010203);
  type(QStringLiteral("500"));
  QTest::mouseClick(dialog.kOK(), Qt::LeftButton);
  EXPECT_EQ(testing::cells(screen.picPole()), before);
  EXPECT_EQ(declare.NmHod, 0);
}

TEST_F(FrmRaskladTest, CancelChangesNothing) {
  type(QStringLiteral("1234"));
  QTest::mouseClick(dialog.kNO(), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  expectGameUntouched();
}

TEST_F(FrmRaskladTest, TheCloseBoxChangesNothing) {
  type(QStringLiteral("1234"));
  dialog.close();
  EXPECT_FALSE(dialog.isVisible());
  expectGameUntouched();
}

TEST_F(FrmRaskladTest, ShiftInsertPastesOnlyDigits) {
  QGuiApplication::clipboard()->setText(QStringLiteral("12-34 5678"));
  QTest::keyClick(dialog.txtNomer(), Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(dialog.txtNomer()->text(), QStringLiteral("12345"));
}

TEST_F(FrmRaskladTest, TheContextMenuPastesOnlyDigitsIntoTheRoomLeft) {
  QGuiApplication::clipboard()->setText(QStringLiteral("№ 9-8-7-6"));
  type(QStringLiteral("11"));
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                          dialog.txtNomer()->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(dialog.txtNomer(), &event);
  auto* menu = dialog.txtNomer()->findChild<QMenu*>();
  ASSERT_NE(menu, nullptr);
  // The menu's paste item, as the player finds it: "Вставить".
  QAction* paste = nullptr;
  for (QAction* action : menu->actions()) {
    if (action->text().remove(QLatin1Char('&')).startsWith(QStringLiteral("Вставить"))) {
      paste = action;
    }
  }
  ASSERT_NE(paste, nullptr);
  paste->trigger();
  menu->close();
  EXPECT_EQ(dialog.txtNomer()->text(), QStringLiteral("11987"));
}

TEST_F(FrmRaskladTest, DroppedTextKeepsOnlyItsDigits) {
  QMimeData data;
  data.setText(QStringLiteral("a3b2c1"));
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(dialog.txtNomer(), &enter);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(dialog.txtNomer(), &drop);
  EXPECT_EQ(dialog.txtNomer()->text(), QStringLiteral("321"));
  EXPECT_TRUE(dialog.kOK()->isEnabled());
}

TEST_F(FrmRaskladTest, TextFromAnInputMethodIsFilteredToo) {
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("x4-2"));
  QApplication::sendEvent(dialog.txtNomer(), &commit);
  EXPECT_EQ(dialog.txtNomer()->text(), QStringLiteral("42"));
}

}  // namespace
}  // namespace zarvel
