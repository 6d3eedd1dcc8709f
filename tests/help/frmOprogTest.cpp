// The About box: every item where it belongs, the flag drawn at load, and the site link
// written, handed to the desktop and shown with the hourglass meanwhile.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "files/Utf8Path.h"
#include "help/ProductInfo.h"
#include "help/frmOprog.h"
#include "tests/support/Recorders.h"
#include "tests/support/TempFolder.h"
#include "widgets/PictureView.h"

namespace zarvel {
namespace {

class FrmOprogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  }
  void TearDown() override { box.close(); }

  QWidget* item(const char* name) {
    auto* widget = box.findChild<QWidget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QLabel* label(const char* name) { return qobject_cast<QLabel*>(item(name)); }

  testing::TempFolder folder;
  std::string pagesFolder = utf8FromPath(folder.path()) + "/";
  testing::RecordingShell shell;
  frmOprog box{pagesFolder, shell, nullptr};
};

TEST_F(FrmOprogTest, EveryItemSitsWhereItBelongs) {
  EXPECT_EQ(box.windowTitle(), QStringLiteral("О программе"));
  EXPECT_EQ(box.size(), QSize(356, 209));
  EXPECT_EQ(box.minimumSize(), box.maximumSize());
  EXPECT_FALSE(box.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(box.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(box.isModal());
  EXPECT_EQ(box.palette().color(QPalette::Window), QColor(224, 224, 224));
  const struct {
    const char* name;
    QRect geometry;
  } items[] = {
      {"Image1", {16, 8, 71, 126}},     {"Label2_3", {104, 8, 220, 20}},
      {"Label2_4", {104, 32, 242, 20}}, {"Label2_5", {104, 56, 48, 20}},
      {"Label1", {152, 56, 183, 20}},   {"Line1", {8, 152, 337, 1}},
      {"Line2", {8, 153, 337, 1}},      {"Picture1", {8, 160, 80, 45}},
      {"OK", {256, 164, 89, 33}},
  };
  for (const auto& entry : items) {
    QWidget* widget = item(entry.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), entry.geometry) << entry.name;
    EXPECT_TRUE(widget->isVisible()) << entry.name;
  }
  EXPECT_EQ(label("Image1")->pixmap().size(), QSize(71, 126));
}

TEST_F(FrmOprogTest, TextsAreInTheWindowsFontAndFitTheirLabels) {
  EXPECT_EQ(label("Label2_5")->text(), QStringLiteral("Сайт:"));
  EXPECT_EQ(label("Label2_3")->text().toStdString(), ProductInfo::kContactLine1);
  EXPECT_EQ(label("Label2_3")->text(), QStringLiteral("Zarvel, версия 1.0"));
  EXPECT_EQ(label("Label2_4")->text().toStdString(), ProductInfo::kContactLine2);
  EXPECT_EQ(box.OK()->text(), QStringLiteral("OK"));
  for (const char* name : {"Label2_3", "Label2_4", "Label2_5", "Label1"}) {
    QLabel* text = label(name);
    EXPECT_EQ(text->font().pixelSize(), 16) << name;
    EXPECT_TRUE(text->font().bold()) << name;
    EXPECT_LE(text->sizeHint().width(), text->width()) << name << " is cut off";
  }
}

TEST_F(FrmOprogTest, TheLinkLooksLikeALinkAndCarriesTheAddress) {
  QLabel* link = box.Label1();
  EXPECT_EQ(link->text().toStdString(), ProductInfo::kSiteCaption);
  EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 192));
  EXPECT_TRUE(link->font().underline());
  EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(link->property("Tag").toString().toStdString(), ProductInfo::kSiteAddress);
}

TEST_F(FrmOprogTest, OkIsTheDefaultWithTheFocusAndClosesTheBox) {
  EXPECT_TRUE(box.OK()->isDefault());
  box.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
  EXPECT_EQ(QApplication::focusWidget(), box.OK());
  QTest::keyClick(&box, Qt::Key_Return);
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(box.result(), QDialog::Accepted);
}

TEST_F(FrmOprogTest, TheFlagIsDrawnAtLoadWhiteBlueRed) {
  Picture& flag = box.Picture1();
  // The drawing lies inside the sunken border, which takes two pixels on every side.
  ASSERT_EQ(flag.width(), 76);
  ASSERT_EQ(flag.height(), 41);
  for (int x : {0, 40, 75}) {
    EXPECT_EQ(flag.point(x, 0), 0xFFFFFF) << x;
    EXPECT_EQ(flag.point(x, 14), 0xFFFFFF) << x;
    EXPECT_EQ(flag.point(x, 15), 0xFF0000) << x;
    EXPECT_EQ(flag.point(x, 30), 0xFF0000) << x;
    EXPECT_EQ(flag.point(x, 31), 0x0000FF) << x;
    EXPECT_EQ(flag.point(x, 40), 0x0000FF) << x;
  }
  // What the screen shows, not only what the drawing holds.
  const QImage shot = box.grab().toImage();
  const QPoint inner(8 + 2, 160 + 2);
  EXPECT_EQ(QColor(shot.pixel(inner + QPoint(10, 5))), QColor(Qt::white));
  EXPECT_EQ(QColor(shot.pixel(inner + QPoint(10, 20))), QColor(0, 0, 255));
  EXPECT_EQ(QColor(shot.pixel(inner + QPoint(10, 35))), QColor(255, 0, 0));
}

TEST_F(FrmOprogTest, TheSeparatorIsEngravedInTheDesktopsColours) {
  EXPECT_EQ(item("Line1")->palette().color(QPalette::Window),
            QApplication::palette("QMenu").color(QPalette::WindowText));
  EXPECT_EQ(item("Line2")->palette().color(QPalette::Window),
            QApplication::palette().color(QPalette::Base));
  EXPECT_NE(item("Line1")->palette().color(QPalette::Window),
            item("Line2")->palette().color(QPalette::Window));
}

TEST_F(FrmOprogTest, ClickingTheLinkWritesPageZeroAndOpensItUnderTheHourglass) {
  Qt::CursorShape during = Qt::BlankCursor;
  Qt::CursorShape onLinkDuring = Qt::BlankCursor;
  shell.onOpen = [&] {
    during = box.cursor().shape();
    onLinkDuring = box.Label1()->cursor().shape();
  };

  QTest::mouseClick(box.Label1(), Qt::LeftButton);

  const std::string page = folder.file("0.html");
  EXPECT_EQ(shell.opened, std::vector<std::string>{page});
  EXPECT_NE(testing::readBytes(page).find("url=https://zarvel.example.org/'"), std::string::npos);
  EXPECT_EQ(during, Qt::WaitCursor);
  EXPECT_EQ(onLinkDuring, Qt::WaitCursor);
  EXPECT_EQ(box.cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(box.Label1()->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_TRUE(box.isVisible());
}

TEST_F(FrmOprogTest, ABlockedPageZeroOpensPageOneAndStillRestoresThePointer) {
  ASSERT_TRUE(std::filesystem::create_directory(folder.path() / "0.html"));
  Qt::CursorShape during = Qt::BlankCursor;
  shell.onOpen = [&] { during = box.cursor().shape(); };

  box.Label1_Click();

  EXPECT_EQ(shell.opened, std::vector<std::string>{folder.file("1.html")});
  EXPECT_EQ(during, Qt::WaitCursor);
  EXPECT_EQ(box.cursor().shape(), Qt::ArrowCursor);
}

// Without a pointer: Tab reaches the link, Enter opens it and leaves the box open; a
// screen reader finds both pictures by their names.
TEST_F(FrmOprogTest, TheKeyboardOpensTheLinkAndThePicturesHaveNames) {
  box.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), box.Label1());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(shell.opened, std::vector<std::string>{folder.file("0.html")});
  EXPECT_TRUE(box.isVisible());
  EXPECT_EQ(item("Image1")->accessibleName().toStdString(), "Гном");
  EXPECT_EQ(item("Picture1")->accessibleName().toStdString(), "Флаг: белый, синий, красный");
}

TEST_F(FrmOprogTest, APressThatEndsOffTheLinkIsNoClick) {
  QTest::mousePress(box.Label1(), Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(box.Label1(), Qt::LeftButton, {}, QPoint(400, 5));
  EXPECT_TRUE(shell.opened.empty());
}

}  // namespace
}  // namespace zarvel
