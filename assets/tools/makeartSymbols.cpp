// makeart: the symbols over the board's squares, one tile per shape in the order of Shape,
// each tile as large as a square and clear around its shape. A shape is dark with a light
// rim, so that it reads on the brightest colour of the board and on the darkest alike.
#include "assets/tools/makeart.h"

#include <cmath>
#include <numbers>

#include "play/BoardSymbols.h"

namespace makeart {
namespace {

using zarvel::Shape;

const QColor kSymbolInk(24, 24, 24);
const QColor kRim(255, 255, 255);
constexpr double kMiddle = zarvel::kSymbolTile / 2.0;

QPainterPath polygonPath(std::initializer_list<QPointF> points) {
  QPainterPath path;
  path.addPolygon(QPolygonF(points));
  path.closeSubpath();
  return path;
}

// The outlines in a tile's pixels; straight edges that run along an axis lie on whole
// pixels, so that they stay sharp on an ordinary screen.
QPainterPath outline(Shape shape) {
  switch (shape) {
    case Shape::Circle:
      return ellipsePath({kMiddle, kMiddle}, 11.5, 11.5);
    case Shape::Triangle:
      return polygonPath({{kMiddle, 6.5}, {32.5, 29}, {6.5, 29}});
    case Shape::Square:
      return polygonPath({{10, 10}, {29, 10}, {29, 29}, {10, 29}});
    case Shape::Diamond:
      return polygonPath({{kMiddle, 6}, {33, kMiddle}, {kMiddle, 33}, {6, kMiddle}});
    case Shape::Star: {
      // Five points, the top one upright; the middle a little low, where the eye puts it.
      QPolygonF points;
      for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? 14.5 : 6;
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        points << QPointF(kMiddle + radius * std::cos(angle), 21 + radius * std::sin(angle));
      }
      QPainterPath path;
      path.addPolygon(points);
      path.closeSubpath();
      return path;
    }
    case Shape::Cross:
      return polygonPath({{16, 8},
                          {23, 8},
                          {23, 16},
                          {31, 16},
                          {31, 23},
                          {23, 23},
                          {23, 31},
                          {16, 31},
                          {16, 23},
                          {8, 23},
                          {8, 16},
                          {16, 16}});
    case Shape::Heart:
      return pathOf(
          "M19.5 31.5 C12 25.5 7 20.5 7 14.5 C7 10.5 10 8 13.3 8 C16 8 18.3 9.6 19.5 12 "
          "C20.7 9.6 23 8 25.7 8 C29 8 32 10.5 32 14.5 C32 20.5 27 25.5 19.5 31.5 Z");
  }
  return {};
}

}  // namespace

QImage symbolStrip(int scale) {
  const int tile = zarvel::kSymbolTile;
  QImage image(tile * zarvel::kShapes * scale, tile * scale, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(scale, scale);
  for (int index = 0; index < zarvel::kShapes; ++index) {
    const QPainterPath path = outline(static_cast<Shape>(index)).translated(tile * index, 0);
    // The rim is the outer half of a stroke; the shape's fill covers the inner half.
    QPen rim(kRim, 2.4);
    rim.setJoinStyle(Qt::MiterJoin);
    p.strokePath(path, rim);
    p.fillPath(path, kSymbolInk);
  }
  p.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace makeart
