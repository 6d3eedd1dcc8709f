// makeart: draws every picture the game ships and writes them as PNG files, and the
// window icon also as a 16-colour ICO file for Windows.
//
// Usage: makeart OUTPUT_DIR
//
// The pictures are drawn from code rather than kept only as binaries so that
// they can be tweaked and regenerated reproducibly. The arrows are rasterised
// by hand (no antialiasing) because a highlighted black arrow is drawn over a
// grey one and must cover exactly the same pixels; the gnome and the cage are
// ordinary antialiased QPainter drawings.

#include <QByteArray>
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRadialGradient>
#include <QString>
#include <QTransform>

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "widgets/Conversions.h"
#include "widgets/Windows.h"

namespace {

const QColor kGround = zarvel::toQColor(zarvel::kBackground);
const QColor kArrowGrey(128, 128, 128);
const QColor kArrowBlack(0, 0, 0);

// ---------------------------------------------------------------------------
// Arrow masks

// A square bit mask; index (x, y) with x to the right and y downwards.
struct Mask {
  int n = 0;
  std::vector<bool> bits;

  explicit Mask(int size) : n(size), bits(static_cast<size_t>(size * size), false) {}
  bool at(int x, int y) const { return bits[static_cast<size_t>(y * n + x)]; }
  void set(int x, int y, bool v) { bits[static_cast<size_t>(y * n + x)] = v; }
};

struct IPoint {
  int x;
  int y;
};

// Sign of the cross product (b - a) x (p - a); integers only, so the result
// is exact and the masks come out identical on every compiler and platform.
long long cross(IPoint a, IPoint b, IPoint p) {
  return static_cast<long long>(b.x - a.x) * (p.y - a.y) -
         static_cast<long long>(b.y - a.y) * (p.x - a.x);
}

// Closed triangle: points on an edge count as inside, which keeps the
// one-pixel tip and the barb corners.
bool inTriangle(IPoint p, IPoint a, IPoint b, IPoint c) {
  const long long d1 = cross(a, b, p);
  const long long d2 = cross(b, c, p);
  const long long d3 = cross(c, a, p);
  const bool hasNeg = d1 < 0 || d2 < 0 || d3 < 0;
  const bool hasPos = d1 > 0 || d2 > 0 || d3 > 0;
  return !(hasNeg && hasPos);
}

// Upward arrow in an n x n square (n odd). The polygon's corners sit on pixel
// centres: tip at the middle of the top row, barbs in the two bottom corners,
// and a V notch rising `notch` pixels from the middle of the bottom row. A
// pixel belongs to the arrow when its centre lies inside or on the outline.
// The notched arrowhead is concave, so it is tested as the union of its two
// halves, each a triangle (tip, barb, notch apex); both halves are mirror
// images about the middle column, so the mask is exactly symmetric.
Mask upArrow(int n, int notch) {
  const int last = n - 1;
  const int mid = last / 2;
  const IPoint tip{mid, 0};
  const IPoint leftBarb{0, last};
  const IPoint rightBarb{last, last};
  const IPoint apex{mid, last - notch};
  Mask m(n);
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      const IPoint p{x, y};
      m.set(x, y, inTriangle(p, tip, leftBarb, apex) || inTriangle(p, tip, apex, rightBarb));
    }
  }
  return m;
}

// The other three directions are exact quarter turns / mirrors of the up
// arrow, so all four share one shape pixel for pixel.
enum Dir { Up = 0, Right = 1, Down = 2, Left = 3 };

Mask orient(const Mask& up, Dir d) {
  const int last = up.n - 1;
  Mask m(up.n);
  for (int y = 0; y < up.n; ++y) {
    for (int x = 0; x < up.n; ++x) {
      bool v = false;
      switch (d) {
        case Up:
          v = up.at(x, y);
          break;
        case Right:
          v = up.at(y, last - x);
          break;  // tip ends at (last, mid)
        case Down:
          v = up.at(x, last - y);
          break;  // tip ends at (mid, last)
        case Left:
          v = up.at(y, x);
          break;  // tip ends at (0, mid)
      }
      m.set(x, y, v);
    }
  }
  return m;
}

void stamp(QImage& img, const Mask& m, int ox, int oy, const QColor& c) {
  const QRgb rgb = c.rgb();
  for (int y = 0; y < m.n; ++y)
    for (int x = 0; x < m.n; ++x)
      if (m.at(x, y)) img.setPixel(ox + x, oy + y, rgb);
}

constexpr int kBigArrow = 39;
constexpr int kBigNotch = 10;
constexpr int kSmallArrow = 21;
constexpr int kSmallNotch = 5;  // 10 * 20 / 38, rounded down

QImage groundImage(int w, int h) {
  QImage img(w, h, QImage::Format_RGB888);
  img.fill(kGround);
  return img;
}

// Bars 0 and 2 run horizontally above and below the board, bars 1 and 3
// vertically to its right and left. Arrows repeat every 40 px to match the
// board's rows and columns; arrow k starts at 40k + 1, so a 1 px line of
// ground separates neighbours and closes the bar at the far end.
QImage arrowBar(Dir d) {
  const bool horizontal = (d == Up || d == Down);
  const int along = 7 * 40 + 1;
  QImage img = horizontal ? groundImage(along, kBigArrow) : groundImage(kBigArrow, along);
  const Mask m = orient(upArrow(kBigArrow, kBigNotch), d);
  for (int k = 0; k < 7; ++k) {
    const int pos = 40 * k + 1;
    if (horizontal)
      stamp(img, m, pos, 0, kArrowGrey);
    else
      stamp(img, m, 0, pos, kArrowGrey);
  }
  return img;
}

// Strip of highlighted arrows: the four large ones (same mask as the bars,
// drawn black), then the four small "pressed" ones, each nudged 2 px off the
// tile centre in the direction it points.
QImage arrowStrip() {
  QImage img = groundImage(8 * kBigArrow, kBigArrow);
  const Mask bigUp = upArrow(kBigArrow, kBigNotch);
  const Mask smallUp = upArrow(kSmallArrow, kSmallNotch);
  const int centred = (kBigArrow - kSmallArrow) / 2;  // 9
  const int offsets[4][2] = {
      {centred, centred - 2},  // up
      {centred + 2, centred},  // right
      {centred, centred + 2},  // down
      {centred - 2, centred},  // left
  };
  for (int d = 0; d < 4; ++d) {
    stamp(img, orient(bigUp, static_cast<Dir>(d)), kBigArrow * d, 0, kArrowBlack);
    stamp(img, orient(smallUp, static_cast<Dir>(d)), kBigArrow * (4 + d) + offsets[d][0],
          offsets[d][1], kArrowBlack);
  }
  return img;
}

// ---------------------------------------------------------------------------
// Window icon: four quarter rings around the bottom-left corner.

QImage windowIcon() {
  constexpr int kSize = 32;
  // Palette index 0 is the transparent ground; every band gets a light inner
  // edge, a main tone and a dark outer edge so the rings read as rounded
  // tubes at icon size.
  const QRgb bands[4][3] = {
      {qRgb(255, 120, 110), qRgb(225, 30, 35), qRgb(150, 10, 20)},   // red
      {qRgb(255, 245, 150), qRgb(250, 205, 20), qRgb(185, 135, 0)},  // yellow
      {qRgb(140, 230, 120), qRgb(40, 170, 60), qRgb(15, 105, 35)},   // green
      {qRgb(130, 180, 255), qRgb(40, 95, 220), qRgb(15, 45, 140)},   // blue
  };
  QList<QRgb> palette{qRgba(0, 0, 0, 0)};
  for (const auto& band : bands)
    for (QRgb c : band) palette.append(c);
  palette.append(qRgba(150, 10, 20, 110));  // soft outer rim, index 13
  QImage img(kSize, kSize, QImage::Format_Indexed8);
  img.setColorTable(palette);
  img.fill(0);

  // Band edges in pixels from the corner, outermost first.
  const double outer[4] = {32.0, 24.5, 17.0, 9.5};
  const double inner[4] = {24.5, 17.0, 9.5, 2.0};
  constexpr int kSub = 4;  // supersampling for the outer rim only
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      // Distance from the image's bottom-left corner to the pixel centre.
      const double dx = x + 0.5;
      const double dy = kSize - (y + 0.5);
      const double r = std::hypot(dx, dy);
      int index = 0;
      for (int b = 0; b < 4; ++b) {
        if (r <= outer[b] && r > inner[b]) {
          const double t = (r - inner[b]) / (outer[b] - inner[b]);
          const int tone = t < 0.22 ? 0 : (t > 0.8 ? 2 : 1);
          index = 1 + 3 * b + tone;
          break;
        }
      }
      if (index == 0 && r > outer[0]) {
        int hits = 0;
        for (int sy = 0; sy < kSub; ++sy)
          for (int sx = 0; sx < kSub; ++sx)
            if (std::hypot(x + (sx + 0.5) / kSub, kSize - (y + (sy + 0.5) / kSub)) <= outer[0])
              ++hits;
        if (hits * 3 >= kSub * kSub) index = 13;
      }
      img.setPixel(x, y, static_cast<uint>(index));
    }
  }
  return img;
}

// ---------------------------------------------------------------------------
// Painting helpers for the gnome and the cage.

const QColor kInk(58, 38, 32);  // outline colour: warm dark brown, softer than black

QPen inkPen(double w = 1.6) {
  QPen p(kInk, w);
  p.setJoinStyle(Qt::RoundJoin);
  p.setCapStyle(Qt::RoundCap);
  return p;
}

void fillInk(QPainter& p, const QPainterPath& path, const QBrush& brush, double w = 1.6) {
  p.setPen(inkPen(w));
  p.setBrush(brush);
  p.drawPath(path);
}

// A path from a compact outline, as in SVG: absolute commands M (move to), L (line to),
// Q (quadratic: control point, end point), C (cubic: two control points, end point) and Z
// (close), each letter followed by its coordinates. Read with from_chars, so the numbers
// mean the same whatever locale the program runs in.
QPainterPath pathOf(std::string_view outline) {
  QPainterPath path;
  std::size_t at = 0;
  while (at < outline.size()) {
    const char command = outline[at++];
    if (command == ' ') continue;
    std::vector<double> v;
    while (at < outline.size() && !std::isalpha(static_cast<unsigned char>(outline[at]))) {
      if (outline[at] == ' ') {
        ++at;
        continue;
      }
      double number = 0;
      const auto [end, error] =
          std::from_chars(outline.data() + at, outline.data() + outline.size(), number);
      if (error != std::errc()) throw std::invalid_argument(std::string(outline));
      v.push_back(number);
      at = static_cast<std::size_t>(end - outline.data());
    }
    const std::size_t needed = command == 'M' || command == 'L' ? 2
                               : command == 'Q'                 ? 4
                               : command == 'C'                 ? 6
                                                                : 0;
    if (v.size() != needed) throw std::invalid_argument(std::string(outline));
    switch (command) {
      case 'M':
        path.moveTo(v[0], v[1]);
        break;
      case 'L':
        path.lineTo(v[0], v[1]);
        break;
      case 'Q':
        path.quadTo(v[0], v[1], v[2], v[3]);
        break;
      case 'C':
        path.cubicTo(v[0], v[1], v[2], v[3], v[4], v[5]);
        break;
      case 'Z':
        path.closeSubpath();
        break;
      default:
        throw std::invalid_argument(std::string(outline));
    }
  }
  return path;
}

QPainterPath ellipsePath(QPointF c, double rx, double ry) {
  QPainterPath path;
  path.addEllipse(c, rx, ry);
  return path;
}

QLinearGradient vGrad(double y0, double y1, const QColor& a, const QColor& b) {
  QLinearGradient g(0, y0, 0, y1);
  g.setColorAt(0, a);
  g.setColorAt(1, b);
  return g;
}

// Mirrors a path about the gnome's middle column, so left/right parts of the
// face and clothes are drawn once.
constexpr double kMidX = 84.0;

QPainterPath mirrored(const QPainterPath& path) {
  QTransform t;
  t.translate(2 * kMidX, 0);
  t.scale(-1, 1);
  return t.map(path);
}

// A thick limb drawn as an outlined tube along a path.
void tube(QPainter& p, const QPainterPath& spine, double width, const QBrush& fill) {
  QPen outline(kInk, width + 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setBrush(Qt::NoBrush);
  p.setPen(outline);
  p.drawPath(spine);
  QPen body(fill, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(body);
  p.drawPath(spine);
}

// ---------------------------------------------------------------------------
// The gnome. All coordinates are for the 168 x 281 picture; the About picture
// reuses the same drawing through a scaling transform.

void drawBoots(QPainter& p) {
  // Short trouser legs peeking out under the tunic.
  const QColor trousers(104, 78, 52);
  QPainterPath leg;
  leg.addRoundedRect(QRectF(58, 232, 22, 18), 4, 4);
  fillInk(p, leg, trousers);
  fillInk(p, mirrored(leg), trousers);

  // Left boot, toe pointing outwards; the right one is its mirror image.
  const QPainterPath boot =
      pathOf("M80 244 L80.5 262 L44 263 C34 263 32 254 40 251 C48 248 56 248 60 244 Z");
  const QLinearGradient leather = vGrad(244, 263, QColor(150, 92, 48), QColor(96, 56, 28));
  fillInk(p, boot, leather);
  fillInk(p, mirrored(boot), leather);

  // Soles and a shine on each toe.
  const QPainterPath sole = pathOf("M80.5 259 L80.5 263 L44 264 C38 264 35 262 35 259 Z");
  fillInk(p, sole, QColor(62, 38, 22), 1.2);
  fillInk(p, mirrored(sole), QColor(62, 38, 22), 1.2);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 230, 200, 110));
  p.drawEllipse(QPointF(44, 253.5), 4, 1.8);
  p.drawEllipse(QPointF(2 * kMidX - 44, 253.5), 4, 1.8);
}

void drawTunic(QPainter& p) {
  const QPainterPath tunic = pathOf(
      "M60 144 C46 146 38 152 37 164 C35 190 32 214 28 238 Q56 246 84 244 Q112 246 140 238 C136 "
      "214 133 190 131 164 C130 152 122 146 108 144 Z");
  QLinearGradient cloth(30, 0, 140, 0);
  cloth.setColorAt(0.0, QColor(70, 130, 215));
  cloth.setColorAt(0.55, QColor(45, 100, 190));
  cloth.setColorAt(1.0, QColor(28, 66, 140));
  fillInk(p, tunic, cloth);

  // Belt, clipped to the tunic so it follows its sides.
  p.save();
  p.setClipPath(tunic);
  const QPainterPath belt = pathOf("M20 214 Q84 220 150 214 L150 226 Q84 232 20 226 Z");
  fillInk(p, belt, vGrad(214, 230, QColor(110, 70, 38), QColor(70, 42, 22)), 1.4);
  // Hem trim.
  p.setPen(QPen(QColor(255, 255, 255, 60), 2));
  p.setBrush(Qt::NoBrush);
  const QPainterPath hem = pathOf("M26 234 Q56 242 84 240 Q112 242 142 234");
  p.drawPath(hem);
  p.restore();

  // Brass buckle.
  QPainterPath buckle;
  buckle.addRoundedRect(QRectF(74, 215, 20, 15), 3, 3);
  QPainterPath hole;
  hole.addRoundedRect(QRectF(79, 219, 10, 7), 1.5, 1.5);
  fillInk(p, buckle.subtracted(hole), vGrad(215, 230, QColor(255, 225, 110), QColor(200, 145, 30)),
          1.3);
  p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(82, 222.5), QPointF(90, 222.5));
}

void drawHead(QPainter& p) {
  const QColor skin(247, 204, 170);
  const QColor skinShade(228, 168, 138);

  // Ears, partly hidden later by the hat and beard.
  QPainterPath ear = ellipsePath(QPointF(53, 113), 6.5, 9);
  fillInk(p, ear, skinShade);
  fillInk(p, mirrored(ear), skinShade);

  QRadialGradient face(QPointF(78, 112), 34);
  face.setColorAt(0, skin);
  face.setColorAt(1, skinShade);
  fillInk(p, ellipsePath(QPointF(84, 118), 31, 25), face);

  // Rosy cheeks.
  p.setPen(Qt::NoPen);
  QRadialGradient cheek(QPointF(65, 124), 9);
  cheek.setColorAt(0, QColor(240, 120, 110, 160));
  cheek.setColorAt(1, QColor(240, 120, 110, 0));
  p.setBrush(cheek);
  p.drawEllipse(QPointF(65, 124), 9, 7);
  cheek.setCenter(QPointF(103, 124));
  cheek.setFocalPoint(QPointF(103, 124));
  p.setBrush(cheek);
  p.drawEllipse(QPointF(103, 124), 9, 7);
}

void drawBeard(QPainter& p) {
  // Scalloped white beard from ear to ear, ending in a point on the belly.
  const QPainterPath beard = pathOf(
      "M52 112 Q42 124 47 134 Q38 146 46 156 Q40 170 52 178 Q54 192 68 196 Q72 208 84 217 Q96 208 "
      "100 196 Q114 192 116 178 Q128 170 122 156 Q130 146 121 134 Q126 124 116 112"
      // Upper edge runs under the cheeks up to the nose.
      " C114 126 104 134 84 134 C64 134 54 126 52 112 Z");
  fillInk(p, beard, vGrad(112, 210, QColor(255, 255, 255), QColor(215, 218, 228)));

  // Strands.
  p.save();
  p.setClipPath(beard);
  p.setPen(QPen(QColor(175, 180, 195), 1.1, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  const double strands[][6] = {
      {56, 140, 52, 160, 58, 176}, {66, 150, 62, 170, 68, 188},    {76, 156, 74, 176, 78, 196},
      {92, 156, 94, 176, 90, 196}, {102, 150, 106, 170, 100, 188}, {112, 140, 116, 160, 110, 176},
      {84, 160, 83, 185, 84, 212},
  };
  for (const auto& s : strands) {
    QPainterPath l;
    l.moveTo(s[0], s[1]);
    l.quadTo(s[2], s[3], s[4], s[5]);
    p.drawPath(l);
  }
  p.restore();
}

void drawFace(QPainter& p) {
  // Downturned, grumpy mouth showing through the beard.
  const QPainterPath mouth = pathOf("M75 151 C78 143 90 143 93 151 C90 148 78 148 75 151");
  fillInk(p, mouth, QColor(120, 40, 40), 1.4);

  // Moustache: two drooping lobes under the nose.
  const QPainterPath moustache = pathOf(
      "M84 128 C76 124 62 126 58 134 C55 140 56 147 60 150 C62 144 66 142 70 143 C76 144 82 141 84 "
      "136 Z");
  const QLinearGradient hair = vGrad(124, 150, QColor(255, 255, 255), QColor(222, 225, 234));
  fillInk(p, moustache, hair);
  fillInk(p, mirrored(moustache), hair);
  p.setPen(QPen(QColor(175, 180, 195), 1.0, Qt::SolidLine, Qt::RoundCap));
  for (int side = 0; side < 2; ++side) {
    QPainterPath s;
    s.moveTo(80, 131);
    s.quadTo(68, 130, 62, 141);
    p.drawPath(side ? mirrored(s) : s);
  }

  // Small stern eyes with heavy lids.
  for (int side = 0; side < 2; ++side) {
    const double ex = side ? 2 * kMidX - 71.5 : 71.5;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 26, 22));
    p.drawEllipse(QPointF(ex, 116.5), 3.0, 3.4);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(QPointF(ex - 0.9, 115.4), 0.9, 0.9);
  }
  QPainterPath lid;  // skin-coloured lid sloping down towards the nose
  lid.moveTo(66, 112.2);
  lid.lineTo(77.5, 115.2);
  lid.lineTo(77.5, 111);
  lid.lineTo(66, 109);
  lid.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(240, 190, 158));
  p.drawPath(lid);
  p.drawPath(mirrored(lid));
  p.setPen(inkPen(1.4));
  p.drawLine(QPointF(66, 112.4), QPointF(77.5, 115.4));
  p.drawLine(QPointF(2 * kMidX - 66, 112.4), QPointF(2 * kMidX - 77.5, 115.4));
  // Bags under the eyes.
  p.setPen(QPen(QColor(200, 140, 115), 1.0, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  for (int side = 0; side < 2; ++side) {
    QPainterPath bag;
    bag.moveTo(67, 120.5);
    bag.quadTo(71.5, 123, 76, 120.5);
    p.drawPath(side ? mirrored(bag) : bag);
  }

  // Big round nose.
  QRadialGradient nose(QPointF(80, 121), 14, QPointF(79, 119));
  nose.setColorAt(0, QColor(255, 175, 160));
  nose.setColorAt(0.6, QColor(236, 122, 108));
  nose.setColorAt(1, QColor(200, 85, 78));
  fillInk(p, ellipsePath(QPointF(84, 126), 11.5, 10.5), nose);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 170));
  p.drawEllipse(QPointF(80, 121.8), 2.8, 1.9);

  // Heavy bushy brows, angled down into the middle and nearly meeting.
  const QPainterPath brow = pathOf(
      "M82 113.8 C74 112 64 108.5 56.5 107 L56.5 102.5 L60 100.8 L63 102.8 L67 102.2 L70 104.8 L74 "
      "104.6 L77 107.2 L80.5 107.4 L82.5 110 Z");
  const QLinearGradient browFill = vGrad(98, 113, QColor(246, 246, 250), QColor(176, 180, 196));
  fillInk(p, brow, browFill, 1.5);
  fillInk(p, mirrored(brow), browFill, 1.5);

  // Frown crease between the brows.
  p.setPen(QPen(QColor(190, 124, 100), 1.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(84, 105), QPointF(84, 110.5));
}

void drawHat(QPainter& p) {
  // Tall pointed cap whose tip has flopped over to the right.
  QPainterPath hat;
  hat.moveTo(37, 91);
  hat.cubicTo(48, 76, 58, 52, 72, 38);
  hat.cubicTo(82, 27, 98, 21, 112, 27);
  hat.cubicTo(121, 31, 127, 39, 131, 49);  // tip
  hat.cubicTo(124, 43, 116, 40, 107, 44);  // underside of the flop
  hat.cubicTo(114, 60, 122, 76, 131, 91);
  hat.cubicTo(112, 99, 56, 99, 37, 91);
  hat.closeSubpath();
  QLinearGradient felt(40, 0, 130, 0);
  felt.setColorAt(0.0, QColor(238, 80, 66));
  felt.setColorAt(0.45, QColor(214, 42, 40));
  felt.setColorAt(1.0, QColor(150, 22, 28));
  fillInk(p, hat, felt);

  // Fold where the tip bends over, and a couple of creases.
  p.setPen(QPen(QColor(120, 15, 22), 1.3, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath fold;
  fold.moveTo(96, 35);
  fold.quadTo(102, 39, 107, 44);
  p.drawPath(fold);
  QPainterPath crease;
  crease.moveTo(70, 60);
  crease.quadTo(76, 56, 84, 57);
  p.drawPath(crease);
  crease = QPainterPath();
  crease.moveTo(98, 66);
  crease.quadTo(104, 72, 104, 80);
  p.drawPath(crease);
  p.setPen(QPen(QColor(255, 200, 190, 130), 2.2, Qt::SolidLine, Qt::RoundCap));
  QPainterPath shine;
  shine.moveTo(50, 80);
  shine.cubicTo(56, 71, 62, 58, 70, 47);
  p.drawPath(shine);

  // Turned-up brim band.
  const QPainterPath brim = pathOf("M35 90 C56 97 112 97 133 90 L134 96 C112 103 56 103 34 96 Z");
  fillInk(p, brim, vGrad(90, 102, QColor(196, 34, 36), QColor(140, 18, 26)));
}

void drawArms(QPainter& p) {
  const QColor sleeve(52, 104, 192);
  const QColor sleeveDark(36, 78, 158);
  const QColor skin(247, 204, 170);

  // Right arm (on the picture's right): shoulder, elbow, then across the
  // chest behind the other forearm.
  const QPainterPath back = pathOf("M126 152 C134 162 136 178 130 190 C112 180 80 172 56 172");
  tube(p, back, 17, sleeveDark);

  // Left arm in front: down to the elbow, then across below the other one.
  const QPainterPath front = pathOf("M42 152 C34 162 32 178 38 192 C60 198 96 194 114 186");
  tube(p, front, 17, sleeve);

  // Each hand grips the opposite upper arm; the right hand is the left one
  // mirrored and raised, since its forearm lies higher.
  QPainterPath cuff;
  cuff.addRoundedRect(QRectF(108, 175, 9, 20), 3, 3);
  const QPainterPath hand = pathOf("M117 176 C124 171 134 172 135 179 C136 187 128 193 117 194 Z");
  const QPainterPath fingers = pathOf("M124 180 L132 180 M124 185 L132 185.5");
  QTransform raised;
  raised.translate(0, -13);
  for (int side = 0; side < 2; ++side) {
    QPainterPath c = side ? cuff : raised.map(mirrored(cuff));
    QPainterPath h = side ? hand : raised.map(mirrored(hand));
    QPainterPath f = side ? fingers : raised.map(mirrored(fingers));
    fillInk(p, c, QColor(230, 230, 236), 1.4);
    fillInk(p, h, skin, 1.4);
    p.setPen(QPen(QColor(200, 140, 115), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(f);
  }

  // Fold at the front elbow.
  p.setPen(QPen(QColor(28, 60, 125), 1.2, Qt::SolidLine, Qt::RoundCap));
  QPainterPath fold;
  fold.moveTo(40, 180);
  fold.quadTo(45, 184, 46, 190);
  p.drawPath(fold);
}

// One function draws the gnome for every picture so they always match.
void drawGnome(QPainter& p) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  drawBoots(p);
  drawTunic(p);
  drawHead(p);
  drawBeard(p);
  drawFace(p);
  drawHat(p);
  drawArms(p);
  p.restore();
}

// Soft shadow and a round patch of grass for the gnome to stand on.
void drawGrassPatch(QPainter& p) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  fillInk(p, ellipsePath(QPointF(84, 267), 70, 11), QColor(128, 92, 58), 1.4);
  QRadialGradient grass(QPointF(84, 262), 70);
  grass.setColorAt(0, QColor(132, 196, 88));
  grass.setColorAt(1, QColor(78, 148, 58));
  fillInk(p, ellipsePath(QPointF(84, 263), 70, 10), grass, 1.4);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 70, 30, 70));
  p.drawEllipse(QPointF(84, 263), 50, 4.5);

  // Tufts around the rim.
  p.setPen(QPen(QColor(60, 120, 45), 1.3, Qt::SolidLine, Qt::RoundCap));
  const double tufts[] = {22, 30, 40, 126, 136, 146};
  for (double x : tufts) {
    const double y = 263 + 10 * std::sqrt(std::max(0.0, 1 - std::pow((x - 84) / 70, 2))) - 2;
    p.drawLine(QPointF(x, y), QPointF(x - 2, y - 6));
    p.drawLine(QPointF(x + 2, y), QPointF(x + 3, y - 7));
    p.drawLine(QPointF(x + 4, y), QPointF(x + 7, y - 5));
  }
  // A pebble and a little toadstool for company.
  fillInk(p, ellipsePath(QPointF(140, 262), 6, 3.5), QColor(170, 170, 175), 1.2);
  QPainterPath stem;
  stem.addRoundedRect(QRectF(22, 254, 5, 10), 2, 2);
  fillInk(p, stem, QColor(245, 240, 225), 1.2);
  const QPainterPath cap = pathOf("M16 256 C16 246 33 246 33 256 Z");
  fillInk(p, cap, QColor(220, 40, 40), 1.2);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(21, 252), 1.5, 1.5);
  p.drawEllipse(QPointF(27.5, 251), 1.3, 1.3);
  p.restore();
}

QImage finishRgb(const QImage& argb) {
  return argb.convertToFormat(QImage::Format_RGB888);
}

QImage gnomePicture() {
  QImage img(168, 281, QImage::Format_ARGB32_Premultiplied);
  img.fill(kGround);
  QPainter p(&img);
  drawGrassPatch(p);
  drawGnome(p);
  p.end();
  return finishRgb(img);
}

// ---------------------------------------------------------------------------
// Bird cage around the gnome.

struct Cage {
  double cx = kMidX;
  double radius = 78;    // half width of the cylinder
  double topY = 82;      // where the straight bars meet the dome
  double bottomY = 256;  // floor level
  double tilt = 7;       // vertical half axis of the hoops, as seen from slightly above
  double apexY = 16;     // top of the dome
  double midY = 172;     // the hoop round the middle
  int bars = 18;

  // Bar 0 is dead centre in front; with 18 bars the next ones fall either
  // side of the gnome's eyes rather than across them.
  double barAngle(int i) const { return i * 2 * std::numbers::pi / bars; }
  double barX(int i) const { return cx + radius * std::sin(barAngle(i)); }
};

const QColor kBrassDark(105, 72, 18);
const QColor kBrass(196, 150, 52);
const QColor kBrassLight(250, 222, 140);

// Metal rod: dark edge, brass body, light glint. Rods behind the gnome are
// drawn dimmer so the eye reads depth.
void rod(QPainter& p, const QPainterPath& path, double w, bool behind) {
  p.setBrush(Qt::NoBrush);
  QColor edge = kBrassDark, body = kBrass, glint = kBrassLight;
  if (behind) {
    edge = QColor(150, 128, 92);
    body = QColor(186, 166, 120);
    glint = body;
  }
  p.setPen(QPen(edge, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(path);
  p.setPen(QPen(body, w * 0.55, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(path);
  if (!behind) {
    p.setPen(QPen(glint, w * 0.22, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
  }
}

// One bar: straight from the floor hoop up to the dome, then curving in to the
// apex. `angle` runs round the cage; cos(angle) > 0 is the front half.
QPainterPath barPath(const Cage& c, double angle) {
  const double x = c.cx + c.radius * std::sin(angle);
  const double dz = c.tilt * std::cos(angle);
  QPainterPath path;
  path.moveTo(x, c.bottomY + dz);
  path.lineTo(x, c.topY + dz);
  const double k = 0.5523;  // circle-ish quarter arc with a cubic
  const double h = c.topY + dz - c.apexY;
  path.cubicTo(x, c.topY + dz - h * k, c.cx + (x - c.cx) * k, c.apexY, c.cx, c.apexY);
  return path;
}

// Half of a horizontal hoop (front or back) at height y.
QPainterPath hoopPath(const Cage& c, double y, double rx, bool front) {
  QPainterPath path;
  const QRectF r(c.cx - rx, y - c.tilt, 2 * rx, 2 * c.tilt);
  path.arcMoveTo(r, front ? 180 : 0);
  path.arcTo(r, front ? 180 : 0, 180);
  return path;
}

void drawCageBack(QPainter& p, const Cage& c) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  // Tray floor seen from above, behind the gnome's feet.
  QRadialGradient floor(QPointF(c.cx, c.bottomY), c.radius + 2);
  floor.setColorAt(0, QColor(214, 186, 128));
  floor.setColorAt(1, QColor(170, 136, 76));
  fillInk(p, ellipsePath(QPointF(c.cx, c.bottomY), c.radius + 3, c.tilt + 1), floor, 1.4);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 40, 20, 60));
  p.drawEllipse(QPointF(c.cx, c.bottomY + 6), 52, 4.5);

  for (int i = 0; i < c.bars; ++i) {
    const double a = c.barAngle(i);
    if (std::cos(a) < 0) rod(p, barPath(c, a), 2.0, true);
  }
  rod(p, hoopPath(c, c.topY, c.radius, false), 2.4, true);
  rod(p, hoopPath(c, c.midY, c.radius, false), 2.0, true);
  p.restore();
}

void drawPadlock(QPainter& p, QPointF at) {
  QPainterPath shackle;
  shackle.moveTo(at.x() - 4, at.y());
  shackle.lineTo(at.x() - 4, at.y() - 4);
  shackle.cubicTo(at.x() - 4, at.y() - 10, at.x() + 4, at.y() - 10, at.x() + 4, at.y() - 4);
  shackle.lineTo(at.x() + 4, at.y());
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(60, 60, 66), 3.4, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(shackle);
  p.setPen(QPen(QColor(170, 172, 180), 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(shackle);
  QPainterPath body;
  body.addRoundedRect(QRectF(at.x() - 7, at.y() - 1, 14, 12), 2.5, 2.5);
  fillInk(p, body, vGrad(at.y(), at.y() + 11, QColor(255, 220, 100), QColor(190, 130, 20)), 1.3);
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawEllipse(QPointF(at.x(), at.y() + 3.8), 1.7, 1.7);
  QPainterPath slot;
  slot.moveTo(at.x() - 0.9, at.y() + 4);
  slot.lineTo(at.x() + 0.9, at.y() + 4);
  slot.lineTo(at.x() + 0.6, at.y() + 8);
  slot.lineTo(at.x() - 0.6, at.y() + 8);
  slot.closeSubpath();
  p.drawPath(slot);
}

void drawCageFront(QPainter& p, const Cage& c) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);

  // Front bars.
  for (int i = 0; i < c.bars; ++i) {
    const double a = c.barAngle(i);
    if (std::cos(a) >= 0) rod(p, barPath(c, a), 2.2, false);
  }

  // Door: the three middle bars, framed by the two either side of the centre
  // one; the padlock hangs on its right edge.
  const double doorL = c.barX(-1), doorR = c.barX(1);
  const double doorTop = 150, doorBottom = c.bottomY + c.tilt * std::cos(c.barAngle(1));
  QPainterPath door;
  door.moveTo(doorL, doorBottom);
  door.lineTo(doorL, doorTop + 8);
  door.quadTo(doorL, doorTop, doorL + 8, doorTop);
  door.lineTo(doorR - 8, doorTop);
  door.quadTo(doorR, doorTop, doorR, doorTop + 8);
  door.lineTo(doorR, doorBottom);
  rod(p, door, 2.8, false);
  // Hinges.
  p.setPen(QPen(kBrassDark, 1.2));
  p.setBrush(kBrass);
  p.drawRect(QRectF(doorL - 2.5, doorTop + 18, 5, 6));
  p.drawRect(QRectF(doorL - 2.5, doorBottom - 24, 5, 6));

  // Hoops: the dome rim, one round the middle and the floor rim.
  rod(p, hoopPath(c, c.topY, c.radius, true), 3.0, false);
  rod(p, hoopPath(c, c.midY, c.radius, true), 2.4, false);

  // Solid base tray: a brass band under the floor's front edge.
  QPainterPath tray;
  const QRectF rim(c.cx - c.radius - 3, c.bottomY - c.tilt - 1, 2 * (c.radius + 3),
                   2 * (c.tilt + 1));
  tray.arcMoveTo(rim, 180);
  tray.arcTo(rim, 180, 180);
  const QRectF foot(c.cx - c.radius - 1, c.bottomY + 9 - c.tilt, 2 * (c.radius + 1), 2 * c.tilt);
  tray.lineTo(c.cx + c.radius + 3, c.bottomY + 9);
  tray.arcTo(foot, 0, -180);
  tray.closeSubpath();
  QLinearGradient band(c.cx - c.radius, 0, c.cx + c.radius, 0);
  band.setColorAt(0.0, QColor(150, 100, 30));
  band.setColorAt(0.3, QColor(250, 210, 120));
  band.setColorAt(0.6, QColor(200, 150, 55));
  band.setColorAt(1.0, QColor(120, 80, 22));
  fillInk(p, tray, band, 1.4);
  p.setPen(QPen(QColor(255, 240, 190, 150), 1.2));
  p.setBrush(Qt::NoBrush);
  QPainterPath lip;
  lip.arcMoveTo(rim.adjusted(0, 3, 0, 3), 200);
  lip.arcTo(rim.adjusted(0, 3, 0, 3), 200, 140);
  p.drawPath(lip);

  // Hanging ring and the knob on top of the dome.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kBrassDark, 3.6));
  p.drawEllipse(QPointF(c.cx, 9), 6, 6);
  p.setPen(QPen(kBrass, 2.0));
  p.drawEllipse(QPointF(c.cx, 9), 6, 6);
  p.setPen(QPen(kBrassLight, 0.8));
  p.drawArc(QRectF(c.cx - 6, 3, 12, 12), 100 * 16, 70 * 16);
  fillInk(p, ellipsePath(QPointF(c.cx, c.apexY), 6, 3.6),
          vGrad(c.apexY - 4, c.apexY + 4, kBrassLight, kBrassDark), 1.2);

  drawPadlock(p, QPointF(doorR, 206));
  p.restore();
}

QImage cagePicture() {
  QImage img(168, 281, QImage::Format_ARGB32_Premultiplied);
  img.fill(kGround);
  QPainter p(&img);
  const Cage cage;
  drawCageBack(p, cage);
  drawGnome(p);
  drawCageFront(p, cage);
  p.end();
  return finishRgb(img);
}

// ---------------------------------------------------------------------------
// About box picture: the gnome in small, standing beside a stack of the
// game's coloured tiles.

void tile(QPainter& p, QRectF r, const QColor& c) {
  p.setPen(QPen(kInk, 0.9));
  p.setBrush(vGrad(r.top(), r.bottom(), c.lighter(125), c.darker(115)));
  p.drawRect(r);
  p.setPen(QPen(QColor(255, 255, 255, 120), 0.8));
  p.drawLine(QPointF(r.left() + 1.2, r.top() + 1.2), QPointF(r.right() - 1.2, r.top() + 1.2));
}

QImage aboutPicture() {
  constexpr int kScale = 4;  // draw large, then shrink smoothly
  QImage big(71 * kScale, 126 * kScale, QImage::Format_ARGB32_Premultiplied);
  big.fill(kGround);
  QPainter p(&big);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.scale(kScale, kScale);

  // Grass patch.
  fillInk(p, ellipsePath(QPointF(35.5, 117.5), 32, 5.5), QColor(128, 92, 58), 0.8);
  QRadialGradient grass(QPointF(35.5, 115), 32);
  grass.setColorAt(0, QColor(132, 196, 88));
  grass.setColorAt(1, QColor(78, 148, 58));
  fillInk(p, ellipsePath(QPointF(35.5, 115.5), 32, 5), grass, 0.8);

  // Stack of tiles at the gnome's side, the top one set down a little askew.
  tile(p, QRectF(55, 106, 11, 11), QColor(225, 40, 40));
  tile(p, QRectF(55.5, 95, 11, 11), QColor(40, 95, 220));
  p.save();
  p.translate(60.5, 89);
  p.rotate(-9);
  tile(p, QRectF(-5.5, -5.5, 11, 11), QColor(250, 205, 20));
  p.restore();

  // The gnome, shrunk so that his boots stand on the patch.
  p.save();
  const double s = 0.45;
  p.translate(28.5 - kMidX * s, 117.5 - 263 * s);
  p.scale(s, s);
  drawGnome(p);
  p.restore();
  p.end();
  return finishRgb(big.scaledToWidth(71, Qt::SmoothTransformation));
}

// ---------------------------------------------------------------------------
// Menu icons: the gnome's head and shoulders, square, on a transparent ground. A dark
// contour round his outline keeps him readable on light and dark panels alike.

// The square of the gnome picture each icon shows. The small ones come closer, so that the
// hat, the face and the nose fill the few pixels there are; from 48 pixels up the beard and
// the shoulders fit in as well.
QRectF iconCrop(int size) {
  if (size <= 16) return {19, 16, 130, 130};
  if (size <= 32) return {14, 14, 140, 140};
  return {0, 12, 168, 168};
}

// The contour's width in icon pixels: one pixel on the small icons, growing with the size.
double iconContour(int size) {
  return std::max(1.0, size / 72.0);
}

// An unsharp mask: each channel pushed away from its 3 x 3 neighbourhood's weighted mean.
// The shrinking averages the small icons' edges into mush; this brings the nose, the eyes
// and the hat's rim back out. Worked on premultiplied pixels, so colour stays within alpha.
QImage sharpened(const QImage& source, double amount) {
  const QImage in = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QImage out(in.size(), QImage::Format_ARGB32_Premultiplied);
  const int w = in.width();
  const int h = in.height();
  const auto channel = [](QRgb c, int k) { return (c >> (8 * k)) & 0xff; };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      double mean[4] = {0, 0, 0, 0};
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          // Edges repeat the border pixel; the weights are 1 2 1 in each direction.
          const QRgb c = in.pixel(std::clamp(x + dx, 0, w - 1), std::clamp(y + dy, 0, h - 1));
          const double weight = (dx == 0 ? 2 : 1) * (dy == 0 ? 2 : 1) / 16.0;
          for (int k = 0; k < 4; ++k) mean[k] += weight * channel(c, k);
        }
      }
      const QRgb c = in.pixel(x, y);
      uint v[4];
      for (int k = 0; k < 4; ++k) {
        const double sharp = channel(c, k) + amount * (channel(c, k) - mean[k]);
        v[k] = static_cast<uint>(std::clamp(std::lround(sharp), 0L, 255L));
      }
      const uint alpha = v[3];
      out.setPixel(
          x, y,
          qRgba(static_cast<int>(std::min(v[2], alpha)), static_cast<int>(std::min(v[1], alpha)),
                static_cast<int>(std::min(v[0], alpha)), static_cast<int>(alpha)));
    }
  }
  return out;
}

QImage appIcon(int size) {
  // Drawn large and shrunk smoothly, like the About picture; the small sizes get more
  // supersampling so that their few pixels are true averages.
  const int scale = std::max(4, 512 / size);
  const int big = size * scale;
  const QRectF crop = iconCrop(size);

  QImage gnome(big, big, QImage::Format_ARGB32_Premultiplied);
  gnome.fill(Qt::transparent);
  {
    QPainter p(&gnome);
    p.scale(big / crop.width(), big / crop.height());
    p.translate(-crop.left(), -crop.top());
    drawGnome(p);
  }

  // The contour: the gnome's silhouette in ink, stamped round a circle under him.
  QImage silhouette = gnome;
  {
    QPainter p(&silhouette);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(silhouette.rect(), kInk);
  }
  QImage img(big, big, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  {
    QPainter p(&img);
    const double radius = iconContour(size) * scale;
    constexpr int kSteps = 24;
    for (int k = 0; k < kSteps; ++k) {
      const double a = 2 * std::numbers::pi * k / kSteps;
      p.drawImage(QPointF(radius * std::cos(a), radius * std::sin(a)), silhouette);
    }
    p.drawImage(0, 0, gnome);
  }
  QImage icon = img.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (size <= 32) icon = sharpened(icon, 0.8);
  return icon.convertToFormat(QImage::Format_ARGB32);
}

// The sizes of the menu icons, each a square of that many pixels.
constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// ---------------------------------------------------------------------------

bool save(const QImage& img, const QDir& dir, const QString& name) {
  const QString path = dir.filePath(name);
  QImageWriter w(path);
  if (!w.write(img)) {
    std::fprintf(stderr, "makeart: cannot write %s: %s\n", qPrintable(path),
                 qPrintable(w.errorString()));
    return false;
  }
  std::printf("wrote %s (%dx%d)\n", qPrintable(path), img.width(), img.height());
  return true;
}

// ---------------------------------------------------------------------------
// The Windows icon: one 32x32 entry of 16 colours, 4 bits per pixel, written by hand since
// Qt's ICO writer only writes 32 bits per pixel. A pixel shows when it is at least half
// opaque; the 1-bit mask hides the rest, the soft outer rim among them.

void appendLe(QByteArray& bytes, quint32 value, int size) {
  for (int i = 0; i < size; ++i) bytes.append(static_cast<char>((value >> (8 * i)) & 0xFFU));
}

bool saveIcon16(const QImage& indexed, const QDir& dir, const QString& name) {
  const QString path = dir.filePath(name);
  const int n = indexed.width();
  const QList<QRgb> palette = indexed.colorTable();
  if (indexed.format() != QImage::Format_Indexed8 || n != 32 || indexed.height() != n ||
      palette.size() > 16 || palette.value(0) != qRgba(0, 0, 0, 0)) {
    // Hidden pixels take index 0, which must be black to leave the screen as it is.
    std::fprintf(stderr, "makeart: %s needs 32x32 pixels of 16 colours, 0 clear black\n",
                 qPrintable(path));
    return false;
  }
  constexpr int kColours = 16;
  const int rowBytes = n / 2;      // two pixels a byte; 16 bytes, already whole words
  const int maskRowBytes = n / 8;  // one bit a pixel, 1 = hidden; 4 bytes
  const int imageBytes = 40 + 4 * kColours + n * rowBytes + n * maskRowBytes;

  QByteArray ico;
  appendLe(ico, 0, 2);  // reserved
  appendLe(ico, 1, 2);  // an icon
  appendLe(ico, 1, 2);  // one image
  appendLe(ico, static_cast<quint32>(n), 1);
  appendLe(ico, static_cast<quint32>(n), 1);
  appendLe(ico, kColours, 1);
  appendLe(ico, 0, 1);  // reserved
  appendLe(ico, 1, 2);  // planes
  appendLe(ico, 4, 2);  // bits per pixel
  appendLe(ico, static_cast<quint32>(imageBytes), 4);
  appendLe(ico, static_cast<quint32>(ico.size() + 4), 4);  // the image follows this field

  // BITMAPINFOHEADER; the height counts the colour rows and the mask rows.
  appendLe(ico, 40, 4);
  appendLe(ico, static_cast<quint32>(n), 4);
  appendLe(ico, static_cast<quint32>(2 * n), 4);
  appendLe(ico, 1, 2);
  appendLe(ico, 4, 2);
  appendLe(ico, 0, 4);  // no compression
  appendLe(ico, static_cast<quint32>(n * rowBytes + n * maskRowBytes), 4);
  appendLe(ico, 0, 4);
  appendLe(ico, 0, 4);
  appendLe(ico, 0, 4);  // colours used: all 16 the bit count allows
  appendLe(ico, 0, 4);

  for (int i = 0; i < kColours; ++i) {
    const QRgb colour = palette.value(i, qRgb(0, 0, 0));
    ico.append(static_cast<char>(qBlue(colour)));
    ico.append(static_cast<char>(qGreen(colour)));
    ico.append(static_cast<char>(qRed(colour)));
    ico.append('\0');
  }
  auto shown = [&](int x, int y) { return qAlpha(palette.value(indexed.pixelIndex(x, y))) >= 128; };
  // Both bitmaps run from the bottom row up.
  for (int y = n - 1; y >= 0; --y) {
    for (int x = 0; x < n; x += 2) {
      const int left = shown(x, y) ? indexed.pixelIndex(x, y) : 0;
      const int right = shown(x + 1, y) ? indexed.pixelIndex(x + 1, y) : 0;
      ico.append(static_cast<char>((left << 4) | right));
    }
  }
  for (int y = n - 1; y >= 0; --y) {
    for (int x = 0; x < n; x += 8) {
      int bits = 0;
      for (int bit = 0; bit < 8; ++bit) bits |= (shown(x + bit, y) ? 0 : 1) << (7 - bit);
      ico.append(static_cast<char>(bits));
    }
  }

  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(ico) != ico.size() ||
      !file.flush()) {
    std::fprintf(stderr, "makeart: cannot write %s: %s\n", qPrintable(path),
                 qPrintable(file.errorString()));
    return false;
  }
  std::printf("wrote %s (%dx%d, 16 colours)\n", qPrintable(path), n, n);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);  // image format plugins need it
  if (argc != 2) {
    std::fprintf(stderr, "usage: makeart OUTPUT_DIR\n");
    return 2;
  }
  QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!dir.exists() && !QDir().mkpath(dir.path())) {
    std::fprintf(stderr, "makeart: cannot create %s\n", argv[1]);
    return 1;
  }

  bool ok = true;
  const QImage icon = windowIcon();
  ok &= save(icon, dir, "zarvel.png");
  ok &= saveIcon16(icon, dir, "zarvel.ico");
  for (int d = 0; d < 4; ++d)
    ok &= save(arrowBar(static_cast<Dir>(d)), dir, QString("picStrelki%1.png").arg(d));
  ok &= save(arrowStrip(), dir, "picStrelka.png");
  ok &= save(gnomePicture(), dir, "PicTrol.png");
  ok &= save(cagePicture(), dir, "picKletka.png");
  ok &= save(aboutPicture(), dir, "Image1.png");
  const QDir icons(dir.filePath("icons"));
  if (!QDir().mkpath(icons.path())) {
    std::fprintf(stderr, "makeart: cannot create %s\n", qPrintable(icons.path()));
    return 1;
  }
  for (const int size : kIconSizes)
    ok &= save(appIcon(size), icons, QString("%1x%1.png").arg(size));
  return ok ? 0 : 1;
}
