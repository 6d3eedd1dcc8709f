// The victory window as the player sees it.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "play/VictoryFrame.h"
#include "ui/frmEnd.h"

namespace zarvel {
namespace {

int countColour(const QImage& image, QRgb colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour ? 1 : 0;
  return count;
}

TEST(FrmEnd, LaysOutItsWindowAndCentresTheTextArea) {
  Rnd rnd;
  frmEnd window(nullptr, rnd);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Конец игры"));
  EXPECT_EQ(window.size(), QSize(584, 151));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(window.OK()->geometry(), QRect(488, 112, 89, 33));
  EXPECT_TRUE(window.OK()->isDefault());
  EXPECT_EQ(window.OK()->text(), QStringLiteral("OK"));

  const QFontMetricsF metrics(window.Picture1()->font());
  const int width = roundHalfEven(metrics.horizontalAdvance(QStringLiteral("ПОБЕДА!!!")) + 4);
  EXPECT_EQ(window.Picture1()->geometry(), QRect(roundHalfEven((584 - width) * 0.5), 8, width, 84));
  EXPECT_TRUE(window.Timer1().isActive());
  EXPECT_EQ(window.Timer1().interval(), 100);
  EXPECT_EQ(window.letterWidths().size(), 9U);
}

TEST(FrmEnd, DrawsNothingBeforeTheFirstTickThenGreenLettersOverGreyShadows) {
  Rnd rnd;
  frmEnd window(nullptr, rnd);
  const QRgb green = qRgb(0, 255, 0);
  const QRgb grey = qRgb(128, 128, 128);
  EXPECT_EQ(countColour(window.Picture1()->drawing(), green), 0);
  window.Timer1_Timer();
  const QImage& frame = window.Picture1()->drawing();
  EXPECT_GT(countColour(frame, green), 500);
  EXPECT_GT(countColour(frame, grey), 50);
}

TEST(FrmEnd, OkEnterAndTheCloseBoxAllCloseItAndStopTheTimer) {
  for (int way = 0; way < 3; ++way) {
    Rnd rnd;
    frmEnd window(nullptr, rnd);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSignalSpy finished(&window, &QDialog::finished);
    if (way == 0) QTest::mouseClick(window.OK(), Qt::LeftButton);
    if (way == 1) QTest::keyClick(&window, Qt::Key_Return);
    if (way == 2) window.close();
    EXPECT_EQ(finished.count(), 1) << way;
    EXPECT_FALSE(window.isVisible()) << way;
    EXPECT_FALSE(window.Timer1().isActive()) << way;
  }
}

TEST(FrmEnd, AnimatesWhileOpen) {
  Rnd rnd;
  frmEnd window(nullptr, rnd);
  window.show();
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return countColour(window.Picture1()->drawing(), qRgb(0, 255, 0)) > 0; }, 2000));
  window.close();
}

}  // namespace
}  // namespace zarvel
