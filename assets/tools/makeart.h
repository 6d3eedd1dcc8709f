// makeart: what its picture families share. Every picture is drawn at a scale: 1 for the
// pictures the game shows on an ordinary screen, 2 for the same drawing at twice the size, for
// screens with two (or one and a half) device pixels to a pixel.
#pragma once

#include <QBrush>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <string_view>
#include <vector>

#include "widgets/Conversions.h"
#include "widgets/Windows.h"

namespace makeart {

inline const QColor kGround = zarvel::toQColor(zarvel::kBackground);

// The scales every picture is drawn at; the 2x files carry Qt's "@2x" suffix.
inline constexpr int kScales[] = {1, 2};

// ---------------------------------------------------------------------------
// Painting helpers (makeartPaint.cpp).

extern const QColor kInk;  // outline colour: warm dark brown, softer than black

QPen inkPen(double w = 1.6);
void fillInk(QPainter& p, const QPainterPath& path, const QBrush& brush, double w = 1.6);
// A path from a compact outline, as in SVG: absolute commands M, L, Q, C and Z.
QPainterPath pathOf(std::string_view outline);
QPainterPath ellipsePath(QPointF c, double rx, double ry);
QLinearGradient vGrad(double y0, double y1, const QColor& a, const QColor& b);

// Mirrors a path about the gnome's middle column, so left/right parts of the face and
// clothes are drawn once.
inline constexpr double kMidX = 84.0;
QPainterPath mirrored(const QPainterPath& path);

// A thick limb drawn as an outlined tube along a path.
void tube(QPainter& p, const QPainterPath& spine, double width, const QBrush& fill);

// A picture on the game's ground, ready for the painter, drawn `scale` times larger than its
// `width` x `height` pixels; finishRgb makes the 24-bit picture the game loads.
QImage groundCanvas(int width, int height, int scale);
QImage finishRgb(const QImage& argb);

// ---------------------------------------------------------------------------
// The families, each at a scale.

enum Dir { Up = 0, Right = 1, Down = 2, Left = 3 };
QImage arrowBar(Dir d, int scale);  // makeartArrows.cpp
QImage arrowStrip(int scale);

void drawGnome(QPainter& p);  // makeartGnome.cpp
QImage gnomePicture(int scale);
QImage aboutPicture(int scale);

QImage cagePicture(int scale);  // makeartCage.cpp

// makeartSymbols.cpp: the board's symbols, one tile per shape, clear around them.
QImage symbolStrip(int scale);

// makeartIcons.cpp: the window icon, four quarter-circle bands.
QImage windowIcon();         // 32 x 32 in 16 colours, as the window and Windows show it
QImage bandsIcon(int size);  // the same bands, antialiased, at any size
QByteArray bandsSvg();       // the same bands as a scalable drawing
inline constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
// The web page's app icons: the sizes an installed page asks for, and one whose bands keep
// inside the circle a launcher may cut it to, on the window's grey.
inline constexpr int kWebIconSizes[] = {192, 512};
QImage maskableIcon(int size);
// The Windows icon file: the 16-colour 32 x 32 picture first, then every size in 32 bits.
QByteArray windowsIcon(const QImage& indexed32, const std::vector<QImage>& sizes);

}  // namespace makeart
