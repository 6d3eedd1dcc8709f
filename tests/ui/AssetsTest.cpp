// The pictures compiled into the program, each also drawn at twice its size: sizes, colours,
// arrow tiles that match the arrows they are drawn over, and one icon at every size.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace zarvel {
namespace {

constexpr QRgb kGround = qRgb(224, 224, 224);
constexpr QRgb kGrey = qRgb(128, 128, 128);
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr int kScales[] = {1, 2};
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// A picture at `scale`: "name.png" or "name@2x.png".
QImage asset(const std::string& name, int scale = 1) {
  const std::string file = name + (scale == 1 ? "" : "@" + std::to_string(scale) + "x");
  return QImage(QStringLiteral(":/assets/%1.png").arg(QString::fromStdString(file)))
      .convertToFormat(QImage::Format_RGB32);
}

// The arrow mask of arrow `arrow` on bar picture `bar` of bar index `index`.
std::vector<bool> barMask(const QImage& bar, int index, int arrow, int scale) {
  std::vector<bool> mask;
  for (int y = 0; y < 39 * scale; ++y)
    for (int x = 0; x < 39 * scale; ++x) {
      const int along = (40 * arrow + 1) * scale;
      const QRgb pixel = index % 2 == 0 ? bar.pixel(along + x, y) : bar.pixel(x, along + y);
      mask.push_back(pixel == kGrey);
    }
  return mask;
}

std::vector<bool> tileMask(const QImage& strip, int tile, int scale) {
  std::vector<bool> mask;
  for (int y = 0; y < 39 * scale; ++y)
    for (int x = 0; x < 39 * scale; ++x)
      mask.push_back(strip.pixel(39 * scale * tile + x, y) == kBlack);
  return mask;
}

TEST(Assets, PicturesHaveTheirSizesAtBothScales) {
  const std::pair<const char*, QSize> sizes[] = {
      {"picStrelki0", {281, 39}}, {"picStrelki1", {39, 281}}, {"picStrelki2", {281, 39}},
      {"picStrelki3", {39, 281}}, {"picStrelka", {312, 39}},  {"PicTrol", {168, 281}},
      {"picKletka", {168, 281}},  {"Image1", {71, 126}},      {"symbols", {273, 39}},
  };
  for (auto [name, size] : sizes)
    for (const int scale : kScales) EXPECT_EQ(asset(name, scale).size(), size * scale) << name;
}

TEST(Assets, BarsShowSevenGreyArrowsOnTheGroundAndTheirTilesMatchThemExactly) {
  for (const int scale : kScales) {
    const QImage strip = asset("picStrelka", scale);
    for (int index = 0; index < 4; ++index) {
      const QImage bar = asset("picStrelki" + std::to_string(index), scale);
      for (int y = 0; y < bar.height(); ++y) {
        for (int x = 0; x < bar.width(); ++x) {
          const QRgb pixel = bar.pixel(x, y);
          ASSERT_TRUE(pixel == kGround || pixel == kGrey) << index << ": " << x << "," << y;
          const int along = index % 2 == 0 ? x : y;
          if (along % (40 * scale) < scale) {
            ASSERT_EQ(pixel, kGround) << index << ": " << x << "," << y;
          }
        }
      }
      const auto first = barMask(bar, index, 0, scale);
      for (int arrow = 1; arrow < 7; ++arrow)
        EXPECT_EQ(barMask(bar, index, arrow, scale), first) << index;
      EXPECT_EQ(tileMask(strip, index, scale), first)
          << "highlighted tile of bar " << index << " at scale " << scale;
    }
  }
}

TEST(Assets, PressedTilesAreSmallArrowsInTheirBoxes) {
  const QRect boxes[] = {{9, 7, 21, 21}, {11, 9, 21, 21}, {9, 11, 21, 21}, {7, 9, 21, 21}};
  for (const int scale : kScales) {
    const QImage strip = asset("picStrelka", scale);
    for (int bar = 0; bar < 4; ++bar) {
      QRect used;
      for (int y = 0; y < 39 * scale; ++y)
        for (int x = 0; x < 39 * scale; ++x) {
          const QRgb pixel = strip.pixel(39 * scale * (4 + bar) + x, y);
          ASSERT_TRUE(pixel == kGround || pixel == kBlack);
          if (pixel == kBlack) used |= QRect(x, y, 1, 1);
        }
      EXPECT_EQ(used, QRect(boxes[bar].topLeft() * scale, boxes[bar].size() * scale))
          << "pressed tile of bar " << bar << " at scale " << scale;
    }
  }
}

// The symbols over the squares: seven tiles as large as a square, clear at the corner the game
// reads, each a dark shape with a light rim that reads on any colour. Cut to its bounds and
// brought to one size, each shape differs from every other in a twelfth of its pixels at least,
// so that no two differ in size alone.
TEST(Assets, EverySymbolHasAnOutlineOfItsOwnAndReadsOnAnyColour) {
  constexpr int kSide = 32;
  for (const int scale : kScales) {
    const QImage strip = QImage(QStringLiteral(":/assets/symbols%1.png")
                                    .arg(scale == 1 ? QString() : QStringLiteral("@2x")))
                             .convertToFormat(QImage::Format_ARGB32);
    const int tile = 39 * scale;
    std::vector<QImage> outlines;
    for (int shape = 0; shape < 7; ++shape) {
      QRect used;
      int dark = 0, light = 0;
      for (int y = 0; y < tile; ++y)
        for (int x = 0; x < tile; ++x) {
          const QRgb pixel = strip.pixel(tile * shape + x, y);
          if (qAlpha(pixel) < 128) continue;
          used |= QRect(x, y, 1, 1);
          dark += qGray(pixel) < 64;
          light += qGray(pixel) > 192;
        }
      EXPECT_EQ(qAlpha(strip.pixel(tile * shape, 0)), 0) << shape;
      EXPECT_GE(std::min(used.width(), used.height()), 18 * scale) << shape;
      EXPECT_GT(dark, light) << shape;
      EXPECT_GT(light, 0) << shape;
      outlines.push_back(strip.copy(used.translated(tile * shape, 0)).scaled(kSide, kSide));
    }
    for (std::size_t a = 0; a < outlines.size(); ++a)
      for (std::size_t b = a + 1; b < outlines.size(); ++b) {
        int differ = 0;
        for (int y = 0; y < kSide; ++y)
          for (int x = 0; x < kSide; ++x)
            differ +=
                (qAlpha(outlines[a].pixel(x, y)) < 128) != (qAlpha(outlines[b].pixel(x, y)) < 128);
        EXPECT_GT(differ, kSide * kSide / 12) << "shapes " << a << " and " << b << " at " << scale;
      }
  }
}

QImage icon(int side) {
  const QString name = side == 32 ? QStringLiteral(":/assets/zarvel.png")
                                  : QStringLiteral(":/assets/icons/%1x%1.png").arg(side);
  return QImage(name).convertToFormat(QImage::Format_ARGB32);
}

TEST(Assets, TheIconShowsTheSameBandsAtEverySizeAnd16ColoursAt32) {
  const QImage window(QStringLiteral(":/assets/zarvel.png"));
  const QList<QRgb> palette = window.colorTable();
  EXPECT_LE(palette.size(), 16);
  // Red, yellow, green and blue from the outside in: half way across each band, on the
  // diagonal from the bottom-left corner, the colour nearest the pixel is the band's main tone
  // (palette index 2, 5, 8, 11); nothing in the top-right corner.
  const auto nearest = [&](QRgb pixel) {
    const auto distance = [&](QRgb c) {
      return std::abs(qRed(c) - qRed(pixel)) + std::abs(qGreen(c) - qGreen(pixel)) +
             std::abs(qBlue(c) - qBlue(pixel)) + std::abs(qAlpha(c) - qAlpha(pixel));
    };
    return std::min_element(palette.begin(), palette.end(),
                            [&](QRgb a, QRgb b) { return distance(a) < distance(b); }) -
           palette.begin();
  };
  const double middles[] = {28.25, 20.75, 13.25, 5.75};  // in pixels of the 32-pixel icon
  for (const int side : kIconSizes) {
    const QImage image = icon(side);
    ASSERT_EQ(image.size(), QSize(side, side));
    EXPECT_EQ(qAlpha(image.pixel(side - 1, 0)), 0) << side;
    for (int band = 0; band < 4; ++band) {
      const auto at = std::lround(middles[band] * side / 32 / std::sqrt(2.0) - 0.5);
      EXPECT_EQ(nearest(image.pixel(static_cast<int>(at), side - 1 - static_cast<int>(at))),
                2 + 3 * band)
          << side << " band " << band;
    }
  }
}

// The icon Windows shows for zarvel.exe: first the 32x32 picture of 16 colours, 4 bits a
// pixel, with a 1-bit mask (the window icon's pixels wherever they are at least half opaque),
// then every size of the icon in 32 bits.
TEST(Assets, TheWindowsIconHoldsThe16ColourIconAndEverySize) {
  QFile file(QStringLiteral(ZARVEL_ASSETS_DIR "/zarvel.ico"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QByteArray ico = file.readAll();
  ASSERT_GE(ico.size(), 6 + 8 * 16);
  const auto* bytes = reinterpret_cast<const uchar*>(ico.constData());
  auto word = [&](int at) { return qFromLittleEndian<quint16>(bytes + at); };
  auto dword = [&](int at) { return qFromLittleEndian<quint32>(bytes + at); };
  EXPECT_EQ(word(2), 1U);  // an icon
  ASSERT_EQ(word(4), 8U);  // the 16-colour picture and seven sizes
  EXPECT_EQ(bytes[6], 32U);
  EXPECT_EQ(bytes[7], 32U);
  EXPECT_EQ(bytes[8], 16U);  // colours
  EXPECT_EQ(word(12), 4U);   // bits per pixel, as the directory says it
  const int header = static_cast<int>(dword(18));
  EXPECT_EQ(dword(header), 40U);      // BITMAPINFOHEADER
  EXPECT_EQ(dword(header + 8), 64U);  // the colours' rows and the mask's
  EXPECT_EQ(word(header + 14), 4U);   // bits per pixel, as the bitmap says it
  EXPECT_EQ(dword(header + 16), 0U);  // uncompressed
  // Header, 16 colours, 32 rows of 16 bytes, 32 mask rows of 4 bytes.
  EXPECT_EQ(dword(14), 40U + 16 * 4 + 32 * 16 + 32 * 4);
  for (int entry = 1; entry < 8; ++entry) {
    const int at = 6 + 16 * entry;
    EXPECT_EQ(bytes[at], kIconSizes[entry - 1] % 256) << "entry " << entry;
    EXPECT_EQ(word(at + 6), 32U) << "bits per pixel of entry " << entry;
  }
  EXPECT_EQ(dword(6 + 16 * 7 + 12) + dword(6 + 16 * 7 + 8), static_cast<quint32>(ico.size()));

  QBuffer buffer(&ico);
  QImageReader reader(&buffer, "ico");
  ASSERT_EQ(reader.imageCount(), 8) << "Qt cannot read the icon";
  const QImage window = icon(32);
  const QImage windows = reader.read().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(windows.size(), window.size());
  for (int y = 0; y < window.height(); ++y)
    for (int x = 0; x < window.width(); ++x) {
      const QRgb pixel = window.pixel(x, y);
      const QRgb shown = qAlpha(pixel) >= 128 ? qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)) : 0U;
      ASSERT_EQ(windows.pixel(x, y), shown) << x << "," << y;
    }
  // Compared premultiplied, as Qt reads a 32-bit icon, so that half-clear pixels compare.
  const auto premultiplied = [](const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  };
  for (int entry = 1; entry < 8; ++entry) {
    ASSERT_TRUE(reader.jumpToImage(entry));
    EXPECT_EQ(premultiplied(reader.read()), premultiplied(icon(kIconSizes[entry - 1])))
        << "entry " << entry;
  }
}

}  // namespace
}  // namespace zarvel
