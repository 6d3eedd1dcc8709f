// makeart: the painting helpers every drawn picture shares.
#include <QTransform>

#include <cctype>
#include <charconv>
#include <stdexcept>
#include <string>

#include "assets/tools/makeart.h"

namespace makeart {

const QColor kInk(58, 38, 32);

QPen inkPen(double w) {
  QPen p(kInk, w);
  p.setJoinStyle(Qt::RoundJoin);
  p.setCapStyle(Qt::RoundCap);
  return p;
}

void fillInk(QPainter& p, const QPainterPath& path, const QBrush& brush, double w) {
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

QPainterPath mirrored(const QPainterPath& path) {
  QTransform t;
  t.translate(2 * kMidX, 0);
  t.scale(-1, 1);
  return t.map(path);
}

void tube(QPainter& p, const QPainterPath& spine, double width, const QBrush& fill) {
  QPen outline(kInk, width + 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setBrush(Qt::NoBrush);
  p.setPen(outline);
  p.drawPath(spine);
  QPen body(fill, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(body);
  p.drawPath(spine);
}

QImage groundCanvas(int width, int height, int scale) {
  QImage img(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
  img.fill(kGround);
  return img;
}

QImage finishRgb(const QImage& argb) {
  return argb.convertToFormat(QImage::Format_RGB888);
}

}  // namespace makeart
