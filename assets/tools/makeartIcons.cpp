// makeart: the game's one icon, four quarter-circle bands around the bottom-left corner, for
// the window, the menu entry and Windows: 16 colours at 32 pixels, antialiased at every other
// size, as a scalable drawing, and the Windows icon file that holds them.
#include <QBuffer>
#include <QList>
#include <QString>

#include <algorithm>
#include <cmath>

#include "assets/tools/makeart.h"

namespace makeart {
namespace {

// The bands in pixels of the 32-pixel icon, from its bottom-left corner, outermost first.
// Every band has a light inner edge, a main tone and a dark outer edge, so the rings read
// as rounded tubes.
struct Band {
  double inner;
  double outer;
  QRgb tones[3];  // light, main, dark
};
constexpr Band kBands[4] = {
    {24.5, 32.0, {qRgb(255, 120, 110), qRgb(225, 30, 35), qRgb(150, 10, 20)}},   // red
    {17.0, 24.5, {qRgb(255, 245, 150), qRgb(250, 205, 20), qRgb(185, 135, 0)}},  // yellow
    {9.5, 17.0, {qRgb(140, 230, 120), qRgb(40, 170, 60), qRgb(15, 105, 35)}},    // green
    {2.0, 9.5, {qRgb(130, 180, 255), qRgb(40, 95, 220), qRgb(15, 45, 140)}},     // blue
};
constexpr double kIconUnits = 32.0;
constexpr double kLightEdge = 0.22;  // of a band's width, from its inner edge
constexpr double kDarkEdge = 0.8;
constexpr double kHole = kBands[3].inner;

// One tone of one band, as a ring from the hole out to `outer`; painted outermost first,
// each ring covers the inside of the one before, so neighbours never leave a seam.
struct Ring {
  double outer;
  QRgb colour;
};
std::vector<Ring> rings() {
  std::vector<Ring> all;
  for (const Band& band : kBands) {
    const double width = band.outer - band.inner;
    all.push_back({band.outer, band.tones[2]});
    all.push_back({band.inner + kDarkEdge * width, band.tones[1]});
    all.push_back({band.inner + kLightEdge * width, band.tones[0]});
  }
  return all;
}

// A quarter ring around the bottom-left corner, between the hole and `outer`.
QPainterPath quarterRing(double outer) {
  QPainterPath path;
  path.moveTo(kHole, kIconUnits);
  path.lineTo(outer, kIconUnits);
  path.arcTo(QRectF(-outer, kIconUnits - outer, 2 * outer, 2 * outer), 0, 90);
  path.lineTo(0, kIconUnits - kHole);
  path.arcTo(QRectF(-kHole, kIconUnits - kHole, 2 * kHole, 2 * kHole), 90, -90);
  path.closeSubpath();
  return path;
}

QString number(double value) {
  return QString::number(value, 'g', 6);
}

void appendLe(QByteArray& bytes, quint32 value, int size) {
  for (int i = 0; i < size; ++i) bytes.append(static_cast<char>((value >> (8 * i)) & 0xFFU));
}

// BITMAPINFOHEADER of an icon picture; its height counts the colour rows and the mask rows.
void appendBitmapHeader(QByteArray& bytes, int side, int bitsPerPixel, int dataBytes) {
  appendLe(bytes, 40, 4);
  appendLe(bytes, static_cast<quint32>(side), 4);
  appendLe(bytes, static_cast<quint32>(2 * side), 4);
  appendLe(bytes, 1, 2);
  appendLe(bytes, static_cast<quint32>(bitsPerPixel), 2);
  appendLe(bytes, 0, 4);  // no compression
  appendLe(bytes, static_cast<quint32>(dataBytes), 4);
  for (int i = 0; i < 4; ++i) appendLe(bytes, 0, 4);  // resolution, colours used (all)
}

// The 1-bit mask, 1 = hidden, from the bottom row up; rows padded to whole 32-bit words.
int maskBytes(int side) {
  return side * ((side + 31) / 32 * 4);
}
template <typename Shown>
void appendMask(QByteArray& bytes, int side, Shown shown) {
  const int rowBytes = maskBytes(side) / side;
  for (int y = side - 1; y >= 0; --y) {
    QByteArray row(rowBytes, '\0');
    for (int x = 0; x < side; ++x)
      if (!shown(x, y)) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    bytes.append(row);
  }
}

// The 32 x 32 picture of 16 colours, 4 bits per pixel: a pixel shows when it is at least half
// opaque; the mask hides the rest, the soft outer rim among them. Hidden pixels take index 0,
// which is black, so they leave the screen as it is.
QByteArray bitmap16(const QImage& indexed) {
  const int n = indexed.width();
  const QList<QRgb> palette = indexed.colorTable();
  QByteArray bytes;
  appendBitmapHeader(bytes, n, 4, n * n / 2 + maskBytes(n));
  for (int i = 0; i < 16; ++i) {
    const QRgb colour = palette.value(i, qRgb(0, 0, 0));
    bytes.append(static_cast<char>(qBlue(colour)));
    bytes.append(static_cast<char>(qGreen(colour)));
    bytes.append(static_cast<char>(qRed(colour)));
    bytes.append('\0');
  }
  auto shown = [&](int x, int y) { return qAlpha(palette.value(indexed.pixelIndex(x, y))) >= 128; };
  for (int y = n - 1; y >= 0; --y) {
    for (int x = 0; x < n; x += 2) {
      const int left = shown(x, y) ? indexed.pixelIndex(x, y) : 0;
      const int right = shown(x + 1, y) ? indexed.pixelIndex(x + 1, y) : 0;
      bytes.append(static_cast<char>((left << 4) | right));
    }
  }
  appendMask(bytes, n, shown);
  return bytes;
}

// A picture in 32 bits, blue, green, red and alpha, from the bottom row up, with its mask.
QByteArray bitmap32(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  const int n = argb.width();
  QByteArray bytes;
  appendBitmapHeader(bytes, n, 32, n * n * 4 + maskBytes(n));
  for (int y = n - 1; y >= 0; --y)
    for (int x = 0; x < n; ++x) appendLe(bytes, argb.pixel(x, y), 4);
  appendMask(bytes, n, [&](int x, int y) { return qAlpha(argb.pixel(x, y)) > 0; });
  return bytes;
}

QByteArray pngOf(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG");
  return bytes;
}

}  // namespace

QImage windowIcon() {
  constexpr int kSize = 32;
  // Palette index 0 is the transparent ground, then the three tones of every band.
  QList<QRgb> palette{qRgba(0, 0, 0, 0)};
  for (const Band& band : kBands)
    for (QRgb c : band.tones) palette.append(c);
  palette.append(qRgba(150, 10, 20, 110));  // soft outer rim, index 13
  QImage img(kSize, kSize, QImage::Format_Indexed8);
  img.setColorTable(palette);
  img.fill(0);

  constexpr int kSub = 4;  // supersampling for the outer rim only
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      // Distance from the image's bottom-left corner to the pixel centre.
      const double dx = x + 0.5;
      const double dy = kSize - (y + 0.5);
      const double r = std::hypot(dx, dy);
      int index = 0;
      for (int b = 0; b < 4; ++b) {
        const Band& band = kBands[b];
        if (r <= band.outer && r > band.inner) {
          const double t = (r - band.inner) / (band.outer - band.inner);
          const int tone = t < kLightEdge ? 0 : (t > kDarkEdge ? 2 : 1);
          index = 1 + 3 * b + tone;
          break;
        }
      }
      if (index == 0 && r > kBands[0].outer) {
        int hits = 0;
        for (int sy = 0; sy < kSub; ++sy)
          for (int sx = 0; sx < kSub; ++sx)
            if (std::hypot(x + (sx + 0.5) / kSub, kSize - (y + (sy + 0.5) / kSub)) <=
                kBands[0].outer)
              ++hits;
        if (hits * 3 >= kSub * kSub) index = 13;
      }
      img.setPixel(x, y, static_cast<uint>(index));
    }
  }
  return img;
}

QImage bandsIcon(int size) {
  QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  p.scale(size / kIconUnits, size / kIconUnits);
  for (const Ring& ring : rings()) {
    p.setBrush(QColor(ring.colour));
    p.drawPath(quarterRing(ring.outer));
  }
  p.end();
  // Qt's own conversion rounds differently with the processor's vector unit, so the same
  // program would write different icons on different machines; this one rounds the same
  // everywhere.
  QImage straight(size, size, QImage::Format_ARGB32);
  for (int y = 0; y < size; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < size; ++x) {
      const QRgb c = row[x];
      const int a = qAlpha(c);
      const auto part = [a](int v) { return a == 0 ? 0 : std::min(255, (v * 255 + a / 2) / a); };
      straight.setPixel(x, y, qRgba(part(qRed(c)), part(qGreen(c)), part(qBlue(c)), a));
    }
  }
  return straight;
}

QImage maskableIcon(int size) {
  // A launcher keeps at least the circle of 80 % of the side: the bands' square, whose far
  // corner lies furthest out, gets 55 % of the side, centred.
  const int side = size * 55 / 100;
  const int offset = (size - side) / 2;
  const QImage bands = bandsIcon(side);
  const int grey = kGround.red();  // the window's grey, the same in all three
  QImage img(size, size, QImage::Format_ARGB32);
  img.fill(qRgb(grey, grey, grey));
  // Laid over the ground by hand, so that every machine rounds alike.
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const QRgb c = bands.pixel(x, y);
      const int a = qAlpha(c);
      const auto over = [a, grey](int v) { return (v * a + grey * (255 - a) + 127) / 255; };
      img.setPixel(offset + x, offset + y, qRgb(over(qRed(c)), over(qGreen(c)), over(qBlue(c))));
    }
  }
  return img;
}

QByteArray bandsSvg() {
  QString svg = QStringLiteral(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" "
      "viewBox=\"0 0 32 32\">\n");
  for (const Ring& ring : rings()) {
    // From the hole's edge out along the bottom, round to the left edge, back in and round.
    const QString r = number(ring.outer);
    const QString h = number(kHole);
    svg += QStringLiteral(
               "  <path fill=\"%1\" d=\"M%2 32H%3A%3 %3 0 0 0 0 %4V%5A%2 %2 0 0 1 %2 32Z\"/>\n")
               .arg(QColor(ring.colour).name(), h, r, number(kIconUnits - ring.outer),
                    number(kIconUnits - kHole));
  }
  svg += QStringLiteral("</svg>\n");
  return svg.toUtf8();
}

QByteArray windowsIcon(const QImage& indexed32, const std::vector<QImage>& sizes) {
  // The pictures in the order of the directory: the 16-colour one first, as Windows has
  // always found it, then every size in 32 bits; the large ones as PNG, which Windows reads
  // inside icon files since Vista and which keeps the file small.
  struct Entry {
    int side;
    int colours;
    int bitsPerPixel;
    QByteArray data;
  };
  std::vector<Entry> entries{{indexed32.width(), 16, 4, bitmap16(indexed32)}};
  for (const QImage& image : sizes)
    entries.push_back({image.width(), 0, 32, image.width() > 64 ? pngOf(image) : bitmap32(image)});

  QByteArray ico;
  appendLe(ico, 0, 2);  // reserved
  appendLe(ico, 1, 2);  // an icon
  appendLe(ico, static_cast<quint32>(entries.size()), 2);
  auto offset = static_cast<quint32>(6 + 16 * entries.size());
  for (const Entry& entry : entries) {
    const auto side = static_cast<quint32>(entry.side % 256);  // 256 is written as 0
    appendLe(ico, side, 1);
    appendLe(ico, side, 1);
    appendLe(ico, static_cast<quint32>(entry.colours), 1);
    appendLe(ico, 0, 1);  // reserved
    appendLe(ico, 1, 2);  // planes
    appendLe(ico, static_cast<quint32>(entry.bitsPerPixel), 2);
    appendLe(ico, static_cast<quint32>(entry.data.size()), 4);
    appendLe(ico, offset, 4);
    offset += static_cast<quint32>(entry.data.size());
  }
  for (const Entry& entry : entries) ico.append(entry.data);
  return ico;
}

}  // namespace makeart
