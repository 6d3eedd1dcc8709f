// The persistent drawing and the board geometry built on it.
#include <gtest/gtest.h>

#include "engine/Board.h"
#include "engine/Picture.h"
#include "tests/support/FakeScreen.h"

namespace zarvel {
namespace {

using testing::kBlack;

Picture boardWithDistinctSquares() {
  Picture board(kBoardPixels, kBoardPixels, kBlack);
  for (int c = 0; c < kLines; ++c)
    for (int r = 0; r < kLines; ++r)
      fillSquare(board, cellOrigin(c), cellOrigin(r), 100 + 7 * c + r);
  return board;
}

// The board's own numbers, written out: 281 pixels a side, a square every 40 pixels with
// its origin at 1, 41, ..., 241, and one-pixel lines of background between the squares.
TEST(BoardGeometry, EveryPixelOfASquareReadsItsOriginAndLinesKeepTheBackground) {
  const Picture board = boardWithDistinctSquares();
  ASSERT_EQ(board.width(), 281);
  for (int y = 0; y < 281; ++y) {
    for (int x = 0; x < 281; ++x) {
      const bool onLine = x % 40 == 0 || y % 40 == 0;
      const Colour expected = onLine ? kBlack : 100 + 7 * (x / 40) + y / 40;
      ASSERT_EQ(board.point(x, y), expected) << x << "," << y;
    }
  }
}

TEST(Picture, PointOutsideReadsMinusOne) {
  const Picture picture(10, 5, 7);
  for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {10, 0}, {0, 5}})
    EXPECT_EQ(picture.point(x, y), -1);
  EXPECT_EQ(picture.point(9, 4), 7);
}

TEST(Picture, FillBoxIncludesBothCornersAndIsClipped) {
  Picture picture(10, 10, 0);
  picture.fillBox(8, 8, 12, 12, 5);
  EXPECT_EQ(picture.point(8, 8), 5);
  EXPECT_EQ(picture.point(9, 9), 5);
  EXPECT_EQ(picture.point(7, 9), 0);
  picture.fillBox(3, 3, 1, 1, 6);  // corners given the other way round
  EXPECT_EQ(picture.point(1, 1), 6);
  EXPECT_EQ(picture.point(3, 3), 6);
  EXPECT_EQ(picture.point(4, 4), 0);
}

TEST(Picture, ClearReturnsToTheOwnPicture) {
  Picture picture(2, 2, 0);
  picture.setOwnPicture({1, 2, 3, 4});
  picture.fillBox(0, 0, 1, 1, 9);
  picture.clear();
  EXPECT_EQ(picture.pixels(), (std::vector<Colour>{1, 2, 3, 4}));
  picture.setOwnPicture({1, 2, 3});  // wrong size: ignored
  EXPECT_EQ(picture.pixels(), (std::vector<Colour>{1, 2, 3, 4}));
}

TEST(Picture, PaintPictureCopiesTheCurrentDrawingAndClips) {
  Picture source(4, 1, 0);
  source.setOwnPicture({1, 2, 3, 4});
  source.fillBox(3, 0, 3, 0, 8);
  Picture target(3, 2, 0);
  target.paintPicture(source, 1, 1, 1, 0, 4, 1);  // wider than both: clipped
  EXPECT_EQ(target.pixels(), (std::vector<Colour>{0, 0, 0, 0, 2, 3}));
  target.paintPicture(source, -2, 0, 0, 0, 4, 1);  // negative destination
  EXPECT_EQ(target.pixels(), (std::vector<Colour>{3, 8, 0, 0, 2, 3}));
}

TEST(Picture, EveryChangeIsAnnounced) {
  Picture picture(3, 3, 0);
  int changes = 0;
  picture.setChangeListener([&changes] { ++changes; });
  picture.fillBox(0, 0, 1, 1, 1);
  picture.fillBox(5, 5, 6, 6, 1);  // entirely outside: nothing drawn, nothing announced
  picture.fillBox(0, 0, 1, 1, 1);  // the same again: no change
  picture.clear();
  picture.clear();
  picture.paintPicture(Picture(1, 1, 2), 0, 0, 0, 0, 1, 1);
  picture.paintPicture(Picture(1, 1, 2), 0, 0, 0, 0, 1, 1);
  EXPECT_EQ(changes, 3);
}

TEST(Mascot, CagingCoversThePictureAndFreeingRestoresIt) {
  testing::FakeScreen screen;
  cageMascot(screen);
  EXPECT_EQ(screen.PicTrol().pixels(), screen.picKletka().pixels());
  freeMascot(screen);
  EXPECT_EQ(screen.PicTrol().point(0, 0), testing::kGnome);
  EXPECT_EQ(screen.PicTrol().point(167, 280), testing::kGnome);
}

}  // namespace
}  // namespace zarvel
