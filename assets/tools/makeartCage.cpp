// makeart: the gnome locked in his bird cage, the picture the game shows after a win.
#include <cmath>
#include <numbers>

#include "assets/tools/makeart.h"

namespace makeart {
namespace {

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

}  // namespace

QImage cagePicture(int scale) {
  QImage img = groundCanvas(168, 281, scale);
  QPainter p(&img);
  if (scale != 1) p.scale(scale, scale);
  const Cage cage;
  drawCageBack(p, cage);
  drawGnome(p);
  drawCageFront(p, cage);
  p.end();
  return finishRgb(img);
}

}  // namespace makeart
