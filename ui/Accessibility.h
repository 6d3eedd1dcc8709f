// What a screen reader finds on the game's own widgets, which Qt cannot describe by itself:
// each arrow a push button, the board a table of coloured squares, the mascot a picture,
// the victory letters a text. Qt hands these to the desktop's accessibility layer (AT-SPI
// on Linux, UI Automation on Windows).
#pragma once

#include <QString>
#include <functional>

#include "engine/Picture.h"
#include "play/ArrowCursor.h"

class QWidget;

namespace zarvel {

class ArrowBarPointer;

// Each describes `widget` for as long as it lives.
void describeArrowBar(QWidget* widget, std::int32_t bar, ArrowBarPointer& pointer);
void describeBoard(QWidget* widget, const Picture& board);
void describePicture(QWidget* widget, std::function<QString()> name);
void describeText(QWidget* widget, const QString& text);

// The keyboard's cursor is the accessible focus: a screen reader reads the arrow it is on.
void announceCursor(QWidget* barWidget, std::int32_t line);
// Tells a screen reader which squares and pictures have a new name since the last call.
void announceNames(QWidget* widget);

}  // namespace zarvel
