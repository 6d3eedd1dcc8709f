// Showing a picture: colours reach the screen with red and blue in their places, changes
// repaint, and either side may go first.
#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "widgets/Conversions.h"
#include "widgets/PictureView.h"

namespace zarvel {
namespace {

TEST(PictureView, ColourValuesKeepRedInTheLowestByte) {
  const std::pair<Colour, QRgb> cases[] = {
      {0x0000FF, qRgb(255, 0, 0)},   {0x4080FF, qRgb(255, 128, 64)}, {0xFF0000, qRgb(0, 0, 255)},
      {0xFFFF00, qRgb(0, 255, 255)}, {0x000000, qRgb(0, 0, 0)},
  };
  for (auto [colour, rgb] : cases) {
    EXPECT_EQ(toQRgb(colour), rgb) << colour;
    EXPECT_EQ(fromQRgb(rgb), colour) << colour;
  }
}

TEST(PictureView, ShowsWhatIsDrawnAfterEveryChange) {
  Picture picture(20, 10, 0x0000FF);
  PictureView view(picture, nullptr);
  view.resize(20, 10);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  EXPECT_EQ(view.grab().toImage().pixel(5, 5), qRgb(255, 0, 0));
  picture.fillBox(0, 0, 9, 9, 0xFF0000);
  EXPECT_EQ(view.grab().toImage().pixel(5, 5), qRgb(0, 0, 255));
  EXPECT_EQ(view.grab().toImage().pixel(15, 5), qRgb(255, 0, 0));
}

TEST(PictureView, EitherThePictureOrTheViewMayGoFirst) {
  auto kept = std::make_unique<Picture>(4, 4, 0);
  { PictureView view(*kept, nullptr); }
  kept->fillBox(0, 0, 1, 1, 5);  // the view is gone: nothing to repaint
  EXPECT_EQ(kept->point(0, 0), 5);

  auto gone = std::make_unique<Picture>(4, 4, 0);
  auto view = std::make_unique<PictureView>(*gone, nullptr);
  gone.reset();
  view.reset();  // must not reach into the destroyed picture
  SUCCEED();
}

}  // namespace
}  // namespace zarvel
