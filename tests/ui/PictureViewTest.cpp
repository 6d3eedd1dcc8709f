// Showing a picture: colours reach the screen with red and blue in their places, changes
// repaint, and either side may go first.
#include <gtest/gtest.h>

#include <QTemporaryDir>
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
  auto first = std::make_unique<PictureView>(*kept, nullptr);
  first.reset();
  kept->fillBox(0, 0, 1, 1, 5);  // the view is gone: nothing to repaint
  EXPECT_EQ(kept->point(0, 0), 5);

  auto gone = std::make_unique<Picture>(4, 4, 0);
  auto view = std::make_unique<PictureView>(*gone, nullptr);
  gone.reset();
  view.reset();  // must not reach into the destroyed picture
  SUCCEED();
}

// Twice the size: the large own picture, the large tile wherever a cell holds exactly a tile
// of a source, and any other change as squares of its colour.
TEST(PictureView, AtTwiceTheSizeShowsTheLargeDrawingOfWhatThePictureHolds) {
  QTemporaryDir dir;
  // A picture of two 2 x 2 cells, a source of one such tile, each with a large drawing that
  // no doubling of the small one gives.
  auto art = [&](const char* name, QSize size, QRgb colour) {
    QImage small(size, QImage::Format_RGB32);
    small.fill(colour);
    QImage large(size * 2, QImage::Format_RGB32);
    for (int y = 0; y < large.height(); ++y)
      for (int x = 0; x < large.width(); ++x) large.setPixel(x, y, (x + y) % 2 ? colour : ~colour);
    small.save(dir.filePath(QStringLiteral("%1.png").arg(name)));
    large.save(dir.filePath(QStringLiteral("%1@2x.png").arg(name)));
    return large.convertToFormat(QImage::Format_RGB32);
  };
  const QImage ownLarge = art("own", {4, 2}, qRgb(10, 20, 30));
  const QImage tileLarge = art("tile", {2, 2}, qRgb(200, 100, 0));
  Picture picture(4, 2, 0), source(2, 2, 0);
  loadOwnPicture(picture, dir.filePath("own.png"));
  loadOwnPicture(source, dir.filePath("tile.png"));
  PictureView view(picture, nullptr);
  EXPECT_TRUE(view.fineImage().isNull()) << "no large drawing without fine art";
  view.setFineArt(dir.filePath("own.png"), {{0, 0, 2, 2}, {2, 0, 2, 2}},
                  {{dir.filePath("tile.png"), {}}});
  EXPECT_EQ(view.fineImage(), ownLarge);

  picture.paintPicture(source, 2, 0, 0, 0, 2, 2);
  picture.fillBox(0, 1, 0, 1, 0x0000FF);
  QImage expected = ownLarge;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      expected.setPixel(4 + x, y, tileLarge.pixel(x, y));
      if (x < 2 && y >= 2) expected.setPixel(x, y, qRgb(255, 0, 0));
    }
  EXPECT_EQ(view.fineImage().convertToFormat(QImage::Format_RGB32), expected);
  picture.clear();
  EXPECT_EQ(view.fineImage(), ownLarge);
}

}  // namespace
}  // namespace zarvel
