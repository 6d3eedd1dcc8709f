// The real secondary windows as the main window opens them: modal, owned by the main
// window, centred, and made afresh on every opening.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>

#include "files/Utf8Path.h"
#include "tests/support/Places.h"
#include "tests/support/TempFolder.h"
#include "ui/MainM.h"
#include "ui/QtServices.h"
#include "ui/frmForma.h"

namespace zarvel {
namespace {

class QtServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    services.setOwner(&form);
    startUp(declare, form, testing::portableIn("/opt/zarvel"));
  }
  void TearDown() override {
    form.close();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }

  // Runs `inside` on the modal window once it is up, while `open` waits for it to close.
  static void whileModal(const std::function<void(QWidget&)>& inside,
                         const std::function<void()>& open) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      ASSERT_NE(modal, nullptr);
      ran = true;
      inside(*modal);
    });
    open();
    EXPECT_TRUE(ran);
  }

  Declare declare;
  QtServices services{declare};
  frmForma form{declare, services};
};

TEST_F(QtServicesTest, TheLayoutDialogDealsTheTypedLayoutAndOpensEmptyNextTime) {
  whileModal(
      [&](QWidget& dialog) {
        EXPECT_EQ(dialog.objectName(), QStringLiteral("frmRasklad"));
        EXPECT_EQ(dialog.parentWidget(), &form);
        const QRect screen = dialog.screen()->availableGeometry();
        EXPECT_LE(std::abs(dialog.frameGeometry().center().x() - screen.center().x()), 1);
        EXPECT_LE(std::abs(dialog.frameGeometry().center().y() - screen.center().y()), 1);
        QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("txtNomer")), "1234");
        QTest::keyClick(dialog.findChild<QLineEdit*>(QStringLiteral("txtNomer")), Qt::Key_Return);
      },
      [&] { form.FileRasklad_Click(); });
  EXPECT_EQ(declare.NmRasklada, 1234);
  EXPECT_EQ(form.lblNmRasklada()->text(), QStringLiteral("1234"));
  EXPECT_EQ(form.lblNmHod()->text(), QStringLiteral("0"));

  whileModal(
      [&](QWidget& dialog) {
        EXPECT_TRUE(dialog.findChild<QLineEdit*>(QStringLiteral("txtNomer"))->text().isEmpty());
        EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("kOK"))->isEnabled());
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("kNO")), Qt::LeftButton);
      },
      [&] { form.FileRasklad_Click(); });
  EXPECT_EQ(declare.NmRasklada, 1234);
}

TEST_F(QtServicesTest, FileDialogsStartInTheGamesFolderMadeWhenFirstNeededOverTheMainWindow) {
  const testing::TempFolder folder;
  const std::string games = utf8FromPath(folder.path()) + "/Мои игры/Zarvel";
  declare.gamesFolder = games + "/";
  for (const bool save : {true, false}) {
    whileModal(
        [&](QWidget& modal) {
          auto* dialog = qobject_cast<QFileDialog*>(&modal);
          ASSERT_NE(dialog, nullptr);
          EXPECT_EQ(dialog->parentWidget(), &form);
          EXPECT_EQ(dialog->acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
          EXPECT_EQ(dialog->directory().absolutePath().toStdString(), games);
          dialog->reject();
        },
        [&] { EXPECT_EQ(services.OpenSaveDialog(save, "1234"), ""); });
  }
}

TEST_F(QtServicesTest, TheTitleOfAFileIsTheMainWindowsTitle) {
  services.showTitle("Головоломка «Zarvel» - [1234.zrv]");
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Головоломка «Zarvel» - [1234.zrv]"));
}

TEST_F(QtServicesTest, TheAboutBoxOpensOverTheMainWindowAndOkClosesIt) {
  whileModal(
      [&](QWidget& box) {
        EXPECT_EQ(box.objectName(), QStringLiteral("frmOprog"));
        EXPECT_EQ(box.parentWidget(), &form);
        QTest::mouseClick(box.findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton);
      },
      [&] { form.HelpAbout_Click(); });
  EXPECT_FALSE(form.findChild<QWidget*>(QStringLiteral("frmOprog")));
}

}  // namespace
}  // namespace zarvel
