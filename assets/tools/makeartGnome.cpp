// makeart: the gnome, free on his patch of grass, and small in the About picture. All
// coordinates are for the 168 x 281 picture; the other sizes reuse the same drawing through a
// scaling transform.
#include <algorithm>
#include <cmath>

#include "assets/tools/makeart.h"

namespace makeart {
namespace {

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

}  // namespace

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

QImage gnomePicture(int scale) {
  QImage img = groundCanvas(168, 281, scale);
  QPainter p(&img);
  if (scale != 1) p.scale(scale, scale);
  drawGrassPatch(p);
  drawGnome(p);
  p.end();
  return finishRgb(img);
}

namespace {

// A tile of the game's colours for the About picture's stack.
void tile(QPainter& p, QRectF r, const QColor& c) {
  p.setPen(QPen(kInk, 0.9));
  p.setBrush(vGrad(r.top(), r.bottom(), c.lighter(125), c.darker(115)));
  p.drawRect(r);
  p.setPen(QPen(QColor(255, 255, 255, 120), 0.8));
  p.drawLine(QPointF(r.left() + 1.2, r.top() + 1.2), QPointF(r.right() - 1.2, r.top() + 1.2));
}

}  // namespace

// The About box picture: the gnome in small, standing beside a stack of the game's coloured
// tiles.
QImage aboutPicture(int scale) {
  const int drawn = 4 * scale;  // draw large, then shrink smoothly
  QImage big = groundCanvas(71, 126, drawn);
  QPainter p(&big);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.scale(drawn, drawn);

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
  return finishRgb(big.scaledToWidth(71 * scale, Qt::SmoothTransformation));
}

}  // namespace makeart
