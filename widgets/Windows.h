// What every window of the game shares: the light grey it is painted in, the fixed dialog
// frame of its secondary windows, and its place in the middle of the screen.
#pragma once

#include <QColor>
#include <QSize>
#include <QString>

#include "engine/Geometry.h"

class QDialog;
class QMessageBox;
class QWidget;

namespace zarvel {

inline constexpr Colour kBackground = 0xE0E0E0;  // light grey

// A fixed dialog frame: `caption`, a close box and no minimise, maximise or help button, a
// client area of exactly `client` that cannot be resized, modal, painted in `background`
// with black text.
void setUpFixedDialog(QDialog& dialog, const QString& caption, QSize client,
                      const QColor& background);

// Places a top-level window, with its frame, in the middle of the screen it is on: at once
// when it is visible already (from its show event, before it is mapped), else as it is
// shown. A window manager frames a window only once it is shown; until then the frame is
// taken from the program's other windows, and the window is placed once more if its own
// frame, when the window manager tells it, turns out to differ.
void centreOnScreen(QWidget& window);

// The width a window needs for a window manager to show `title` whole in its title bar,
// with the icon, the buttons and the borders beside it.
int titleBarWidth(const QString& title);

// Makes a message box at least titleBarWidth() wide, as the classic platform widens its
// message boxes to their caption; nothing else about the box changes.
void fitTitle(QMessageBox& box);

}  // namespace zarvel
