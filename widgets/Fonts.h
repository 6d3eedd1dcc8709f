// Fonts of the game's windows. Sizes are given in points for a 96-dpi screen, the
// scale on which every pixel position of the windows was laid out, so they are set
// as pixel sizes: text then keeps its place whatever dpi the desktop reports.
#pragma once

#include <QFont>
#include <QString>

namespace zarvel {

inline QFont gameFont(const QString& family, double points, bool bold, bool underline = false) {
  QFont font(family);
  font.setPixelSize(qRound(points * 96.0 / 72.0));
  font.setBold(bold);
  font.setUnderline(underline);
  return font;
}

inline const QString kSansFamily = QStringLiteral("MS Sans Serif");
inline const QString kSerifFamily = QStringLiteral("Times New Roman");

// Where "MS Sans Serif" is not installed, fontconfig's generic sans-serif choice can be
// wide enough to clip the labels' texts at their fixed widths; a font with Arial's metrics
// keeps them inside, so it is asked for first.
inline void installFontSubstitutes() {
  QFont::insertSubstitutions(
      kSansFamily, {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Arial")});
}

}  // namespace zarvel
