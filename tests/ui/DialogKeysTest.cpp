// Enter, Space and Escape in every dialog of the game: Enter presses the push button that
// has the focus and only otherwise the default one; Space presses the focused button;
// Escape closes without pressing anything. The focus is moved with Tab, as a player does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "engine/NewGameM.h"
#include "files/frmRasklad.h"
#include "help/frmOprog.h"
#include "tests/support/FakeScreen.h"
#include "tests/support/Recorders.h"
#include "ui/QtServices.h"
#include "ui/frmEnd.h"

namespace zarvel {
namespace {

// Moves the focus with Tab until `target` has it; false if it never gets there.
bool tabTo(QWidget& window, QWidget* target) {
  for (int i = 0; i < 6 && QApplication::focusWidget() != target; ++i) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window,
                    Qt::Key_Tab);
  }
  return QApplication::focusWidget() == target;
}

// Which push button of `window` was pressed, by object name or caption; "" if none.
class PressedButton {
 public:
  explicit PressedButton(QWidget& window) {
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
      QObject::connect(button, &QPushButton::clicked, [this, button] {
        name = button->objectName().isEmpty()
                   ? button->text().remove(QLatin1Char('&')).toStdString()
                   : button->objectName().toStdString();
      });
    }
  }
  std::string name;
};

struct KeyCase {
  const char* focus;  // the control that has the focus when the key is pressed
  Qt::Key key;
  const char* pressed;  // the button that acts, "" for none
  bool closes;
};

const char* keyName(Qt::Key key) {
  return key == Qt::Key_Return ? "Enter" : key == Qt::Key_Space ? "Space" : "Escape";
}

// Shows `dialog`, moves the focus to the case's control, presses the key and checks which
// button acted and whether the dialog went away.
void pressIn(QDialog& dialog, const KeyCase& c) {
  const std::string where = std::string(c.focus) + " + " + keyName(c.key);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog)) << where;
  auto* focus = dialog.findChild<QWidget*>(QString::fromLatin1(c.focus));
  ASSERT_NE(focus, nullptr) << where;
  ASSERT_TRUE(tabTo(dialog, focus)) << where;
  PressedButton pressed(dialog);
  QTest::keyClick(focus, c.key);
  EXPECT_EQ(pressed.name, c.pressed) << where;
  EXPECT_EQ(!dialog.isVisible(), c.closes) << where;
}

TEST(DialogKeys, LayoutNumberDialogDealsOnlyWhenOkActs) {
  const KeyCase cases[] = {
      {"txtNomer", Qt::Key_Return, "kOK", true}, {"txtNomer", Qt::Key_Space, "", false},
      {"txtNomer", Qt::Key_Escape, "", true},    {"kOK", Qt::Key_Return, "kOK", true},
      {"kOK", Qt::Key_Space, "kOK", true},       {"kOK", Qt::Key_Escape, "", true},
      {"kNO", Qt::Key_Return, "kNO", true},      {"kNO", Qt::Key_Space, "kNO", true},
      {"kNO", Qt::Key_Escape, "", true},
  };
  for (const KeyCase& c : cases) {
    Declare declare = testing::startedDeclare();
    testing::FakeScreen screen;
    declare.NmRasklada = 500;
    NewRasklad(declare, screen);
    frmRasklad dialog(declare, screen, nullptr);
    QTest::keyClicks(dialog.txtNomer(), QStringLiteral("12"));
    pressIn(dialog, c);
    const bool dealt = std::string(c.pressed) == "kOK";
    EXPECT_EQ(declare.NmRasklada, dealt ? 12 : 500) << c.focus << " + " << keyName(c.key);
    EXPECT_EQ(testing::cells(screen.picPole()), testing::dealtCells(dealt ? 12 : 500))
        << c.focus << " + " << keyName(c.key);
  }
}

TEST(DialogKeys, AboutBoxAndVictoryWindowCloseOnEveryKeyButOnlyOkPressesOk) {
  const KeyCase cases[] = {
      {"OK", Qt::Key_Return, "OK", true},
      {"OK", Qt::Key_Space, "OK", true},
      {"OK", Qt::Key_Escape, "", true},
  };
  for (const KeyCase& c : cases) {
    testing::RecordingShell shell;
    frmOprog about("/nowhere/", shell, nullptr);
    pressIn(about, c);
    Rnd rnd;
    frmEnd victory(nullptr, rnd);
    pressIn(victory, c);
  }
}

// A message box as the game shows it, with `act` run on it while it waits for an answer.
MsgAnswer answerMessage(MsgButtons buttons, MsgAnswer preselected,
                        const std::function<void(QMessageBox&)>& act) {
  Declare declare;
  QtServices services(declare);
  MsgBoxRequest request;
  request.title = "Головоломка «Zarvel»";
  request.text = "Новая игра?";
  request.buttons = buttons;
  request.icon = MsgIcon::Exclamation;
  request.defaultButton = preselected;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    act(*box);
    if (box->isVisible()) box->done(QMessageBox::Cancel);  // never leave the test waiting
  });
  return services.msgBox().show(request);
}

TEST(DialogKeys, MessageBoxesAnswerWithTheFocusedButton) {
  struct Case {
    QMessageBox::StandardButton focus;
    Qt::Key key;
    MsgAnswer answer;
  };
  const Case cases[] = {
      {QMessageBox::No, Qt::Key_Return, MsgAnswer::No},
      {QMessageBox::No, Qt::Key_Space, MsgAnswer::No},
      {QMessageBox::No, Qt::Key_Escape, MsgAnswer::No},
      {QMessageBox::Yes, Qt::Key_Return, MsgAnswer::Yes},
      {QMessageBox::Yes, Qt::Key_Space, MsgAnswer::Yes},
      {QMessageBox::Yes, Qt::Key_Escape, MsgAnswer::No},
  };
  for (const Case& c : cases) {
    bool pressed = false;
    const MsgAnswer answer = answerMessage(MsgButtons::YesNo, MsgAnswer::No, [&](QMessageBox& box) {
      ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
      // The preselected button has the focus when the box opens.
      EXPECT_EQ(QApplication::focusWidget(), box.button(QMessageBox::No));
      ASSERT_TRUE(tabTo(box, box.button(c.focus)));
      QTest::keyClick(box.button(c.focus), c.key);
      pressed = !box.isVisible();
    });
    EXPECT_TRUE(pressed) << keyName(c.key);
    EXPECT_EQ(answer, c.answer) << keyName(c.key);
  }
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape}) {
    bool closed = false;
    answerMessage(MsgButtons::Ok, MsgAnswer::Ok, [&](QMessageBox& box) {
      ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
      QTest::keyClick(QApplication::focusWidget(), key);
      closed = !box.isVisible();
    });
    EXPECT_TRUE(closed) << keyName(key);
  }
}

}  // namespace
}  // namespace zarvel
