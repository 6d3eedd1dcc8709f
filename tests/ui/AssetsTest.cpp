// The pictures compiled into the program: sizes, colours, and arrow tiles that match the
// arrows they are drawn over.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QtEndian>
#include <set>

namespace zarvel {
namespace {

constexpr QRgb kGround = qRgb(224, 224, 224);
constexpr QRgb kGrey = qRgb(128, 128, 128);
constexpr QRgb kBlack = qRgb(0, 0, 0);

QImage asset(const char* name) {
  return QImage(QStringLiteral(":/assets/%1.png").arg(QLatin1String(name)))
      .convertToFormat(QImage::Format_RGB32);
}

// The 39 x 39 arrow mask of arrow `arrow` on bar picture `bar` of bar index `index`.
std::vector<bool> barMask(const QImage& bar, int index, int arrow) {
  std::vector<bool> mask;
  for (int y = 0; y < 39; ++y)
    for (int x = 0; x < 39; ++x) {
      const int along = 40 * arrow + 1;
      const QRgb pixel = index % 2 == 0 ? bar.pixel(along + x, y) : bar.pixel(x, along + y);
      mask.push_back(pixel == kGrey);
    }
  return mask;
}

std::vector<bool> tileMask(const QImage& strip, int tile) {
  std::vector<bool> mask;
  for (int y = 0; y < 39; ++y)
    for (int x = 0; x < 39; ++x) mask.push_back(strip.pixel(39 * tile + x, y) == kBlack);
  return mask;
}

TEST(Assets, PicturesHaveTheirSizes) {
  const std::pair<const char*, QSize> sizes[] = {
      {"picStrelki0", {281, 39}}, {"picStrelki1", {39, 281}}, {"picStrelki2", {281, 39}},
      {"picStrelki3", {39, 281}}, {"picStrelka", {312, 39}},  {"PicTrol", {168, 281}},
      {"picKletka", {168, 281}},  {"Image1", {71, 126}},      {"zarvel", {32, 32}},
  };
  for (auto [name, size] : sizes) EXPECT_EQ(asset(name).size(), size) << name;
}

TEST(Assets, BarsShowSevenGreyArrowsOnTheGroundAndTheirTilesMatchThemExactly) {
  const QImage strip = asset("picStrelka");
  for (int index = 0; index < 4; ++index) {
    const QImage bar = asset(("picStrelki" + std::to_string(index)).c_str());
    for (int y = 0; y < bar.height(); ++y) {
      for (int x = 0; x < bar.width(); ++x) {
        const QRgb pixel = bar.pixel(x, y);
        ASSERT_TRUE(pixel == kGround || pixel == kGrey) << index << ": " << x << "," << y;
        const int along = index % 2 == 0 ? x : y;
        if (along % 40 == 0) {
          ASSERT_EQ(pixel, kGround) << index << ": " << x << "," << y;
        }
      }
    }
    const auto first = barMask(bar, index, 0);
    for (int arrow = 1; arrow < 7; ++arrow) EXPECT_EQ(barMask(bar, index, arrow), first) << index;
    EXPECT_EQ(tileMask(strip, index), first) << "highlighted tile of bar " << index;
  }
}

TEST(Assets, PressedTilesAreSmallArrowsInTheirBoxes) {
  const QImage strip = asset("picStrelka");
  const QRect boxes[] = {{9, 7, 21, 21}, {11, 9, 21, 21}, {9, 11, 21, 21}, {7, 9, 21, 21}};
  for (int bar = 0; bar < 4; ++bar) {
    QRect used;
    for (int y = 0; y < 39; ++y)
      for (int x = 0; x < 39; ++x) {
        const QRgb pixel = strip.pixel(39 * (4 + bar) + x, y);
        ASSERT_TRUE(pixel == kGround || pixel == kBlack);
        if (pixel == kBlack) used |= QRect(x, y, 1, 1);
      }
    EXPECT_EQ(used, boxes[bar]) << "pressed tile of bar " << bar;
  }
}

TEST(Assets, TheIconHasSixteenColoursAtMostOnATransparentGround) {
  const QImage icon(QStringLiteral(":/assets/zarvel.png"));
  std::set<QRgb> colours;
  for (int y = 0; y < icon.height(); ++y)
    for (int x = 0; x < icon.width(); ++x) colours.insert(icon.pixel(x, y));
  EXPECT_LE(colours.size(), 16U);
  EXPECT_EQ(qAlpha(icon.pixel(31, 0)), 0);  // the upper-right corner is outside every band
  EXPECT_GT(qAlpha(icon.pixel(1, 30)), 0);  // the lower-left corner is inside the bands
}

// The icon Windows shows for zarvel.exe: one 32x32 picture of 16 colours, 4 bits a pixel,
// with a 1-bit mask; the window icon's pixels wherever they are at least half opaque.
TEST(Assets, TheWindowsIconIsTheWindowIconIn16Colours) {
  QFile file(QStringLiteral(ZARVEL_ASSETS_DIR "/zarvel.ico"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray ico = file.readAll();
  ASSERT_GE(ico.size(), 22 + 40);
  const auto* bytes = reinterpret_cast<const uchar*>(ico.constData());
  auto word = [&](int at) { return qFromLittleEndian<quint16>(bytes + at); };
  auto dword = [&](int at) { return qFromLittleEndian<quint32>(bytes + at); };
  EXPECT_EQ(word(2), 1U);  // an icon
  ASSERT_EQ(word(4), 1U);  // one picture
  EXPECT_EQ(bytes[6], 32U);
  EXPECT_EQ(bytes[7], 32U);
  EXPECT_EQ(bytes[8], 16U);  // colours
  EXPECT_EQ(word(12), 4U);   // bits per pixel, as the directory says it
  const quint32 at = dword(18);
  ASSERT_EQ(at + dword(14), static_cast<quint32>(ico.size()));
  const int header = static_cast<int>(at);
  EXPECT_EQ(dword(header), 40U);      // BITMAPINFOHEADER
  EXPECT_EQ(dword(header + 8), 64U);  // the colours' rows and the mask's
  EXPECT_EQ(word(header + 14), 4U);   // bits per pixel, as the bitmap says it
  EXPECT_EQ(dword(header + 16), 0U);  // uncompressed
  // Header, 16 colours, 32 rows of 16 bytes, 32 mask rows of 4 bytes.
  EXPECT_EQ(dword(14), 40U + 16 * 4 + 32 * 16 + 32 * 4);

  QImage windows = QImage::fromData(ico, "ico");
  ASSERT_FALSE(windows.isNull()) << "Qt cannot read the icon";
  const QImage window =
      QImage(QStringLiteral(":/assets/zarvel.png")).convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(windows.size(), window.size());
  windows = windows.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < window.height(); ++y)
    for (int x = 0; x < window.width(); ++x) {
      const QRgb pixel = window.pixel(x, y);
      const QRgb shown = qAlpha(pixel) >= 128 ? qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)) : 0U;
      ASSERT_EQ(windows.pixel(x, y), shown) << x << "," << y;
    }
}

}  // namespace
}  // namespace zarvel
