// The game's own values as Qt takes them, and back: colour values (0x00BBGGRR), boxes on
// a window, and UTF-8 texts.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <string_view>

#include "engine/Geometry.h"

namespace zarvel {

// Qt colour (0xAARRGGBB) from a game colour value (0x00BBGGRR), and back; alpha is dropped.
QRgb toQRgb(Colour colour);
Colour fromQRgb(QRgb rgb);
inline QColor toQColor(Colour colour) {
  return QColor(toQRgb(colour));
}

inline QRect rectOf(const Box& box) {
  return {box.left, box.top, box.width, box.height};
}

inline QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace zarvel
