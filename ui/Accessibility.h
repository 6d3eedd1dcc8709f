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

// Each describes `widget` for as long as it lives. An arrow's description is its line's
// colours on `board`.
void describeArrowBar(QWidget* widget, std::int32_t bar, ArrowBarPointer& pointer,
                      const Picture& board);
void describeBoard(QWidget* widget, const Picture& board);
void describePicture(QWidget* widget, std::function<QString()> name);
void describeText(QWidget* widget, const QString& text);

// The keyboard's cursor is the accessible focus: a screen reader reads the arrow it is on.
void announceCursor(QWidget* barWidget, std::int32_t line);
// Tells a screen reader which squares and pictures have a new name since the last call.
void announceNames(QWidget* widget);

// Makes the few invisible notices in `client` that say() speaks through.
void addNotices(QWidget* client);
// Has a screen reader say `text` whatever has the focus. Orca 43 reads a notification aloud
// when it shows (Qt 6.4 has no announcement of its own); the notices take turns, so that one
// sent while the reader still reads the one before keeps its own words.
void say(QWidget* client, const QString& text);

}  // namespace zarvel
