// makeart: the arrow bars and the strip of highlighted and pressed arrows. The arrows are
// rasterised by hand (no antialiasing) because a highlighted black arrow is drawn over a grey
// one and must cover exactly the same pixels; the masks are computed in integers, so they do
// not depend on Qt at all.
#include <cstddef>

#include "assets/tools/makeart.h"

namespace makeart {
namespace {

const QColor kArrowGrey(128, 128, 128);
const QColor kArrowBlack(0, 0, 0);

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

// Upward arrow in an n x n square. The polygon's corners sit on pixel centres: tip at the
// middle of the top row, barbs in the two bottom corners, and a V notch rising `notch`
// pixels from the middle of the bottom row. A pixel belongs to the arrow when its centre
// lies inside or on the outline. The notched arrowhead is concave, so it is tested as the
// union of its two halves, each a triangle (tip, barb, notch apex); both halves are mirror
// images about the middle, so the mask is exactly symmetric. Coordinates count half pixels,
// so that every corner and every pixel centre is a whole number at any size. When n is even
// the middle falls between two columns of pixels: each half then keeps its own middle column,
// so the tip is two pixels wide, as the one-pixel tip of the small arrow is at twice the size.
Mask upArrow(int n, int notch) {
  const int last = 2 * n - 1;  // the centre of the last pixel
  const int split = n % 2 == 0 ? 1 : 0;
  const IPoint leftTip{n - split, 1};
  const IPoint rightTip{n + split, 1};
  const IPoint leftBarb{1, last};
  const IPoint rightBarb{last, last};
  const IPoint leftApex{n - split, last - 2 * notch};
  const IPoint rightApex{n + split, last - 2 * notch};
  Mask m(n);
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      const IPoint p{2 * x + 1, 2 * y + 1};
      m.set(x, y,
            inTriangle(p, leftTip, leftBarb, leftApex) ||
                inTriangle(p, rightTip, rightApex, rightBarb));
    }
  }
  return m;
}

// The other three directions are exact quarter turns / mirrors of the up
// arrow, so all four share one shape pixel for pixel.

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

// Sizes at scale 1.
constexpr int kBigArrow = 39;
constexpr int kBigNotch = 10;
constexpr int kSmallArrow = 21;
constexpr int kSmallNotch = 5;  // 10 * 20 / 38, rounded down
constexpr int kPitch = 40;

QImage groundImage(int w, int h) {
  QImage img(w, h, QImage::Format_RGB888);
  img.fill(kGround);
  return img;
}

}  // namespace

// Bars 0 and 2 run horizontally above and below the board, bars 1 and 3 vertically to its
// right and left. Arrows repeat every 40 px to match the board's rows and columns; arrow k
// starts at 40k + 1, so a 1 px line of ground separates neighbours and closes the bar at the
// far end. At scale 2 every length doubles.
QImage arrowBar(Dir d, int scale) {
  const bool horizontal = (d == Up || d == Down);
  const int size = kBigArrow * scale;
  const int along = (7 * kPitch + 1) * scale;
  QImage img = horizontal ? groundImage(along, size) : groundImage(size, along);
  const Mask m = orient(upArrow(size, kBigNotch * scale), d);
  for (int k = 0; k < 7; ++k) {
    const int pos = (kPitch * k + 1) * scale;
    if (horizontal)
      stamp(img, m, pos, 0, kArrowGrey);
    else
      stamp(img, m, 0, pos, kArrowGrey);
  }
  return img;
}

// Strip of highlighted arrows: the four large ones (same mask as the bars, drawn black),
// then the four small "pressed" ones, each nudged 2 px off the tile centre in the direction
// it points.
QImage arrowStrip(int scale) {
  const int tile = kBigArrow * scale;
  QImage img = groundImage(8 * tile, tile);
  const Mask bigUp = upArrow(tile, kBigNotch * scale);
  const Mask smallUp = upArrow(kSmallArrow * scale, kSmallNotch * scale);
  const int centred = (kBigArrow - kSmallArrow) / 2;  // 9
  const int offsets[4][2] = {
      {centred, centred - 2},  // up
      {centred + 2, centred},  // right
      {centred, centred + 2},  // down
      {centred - 2, centred},  // left
  };
  for (int d = 0; d < 4; ++d) {
    stamp(img, orient(bigUp, static_cast<Dir>(d)), tile * d, 0, kArrowBlack);
    stamp(img, orient(smallUp, static_cast<Dir>(d)), tile * (4 + d) + offsets[d][0] * scale,
          offsets[d][1] * scale, kArrowBlack);
  }
  return img;
}

}  // namespace makeart
