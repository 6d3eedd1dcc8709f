// The symbols over the board's squares, painted over the board's view when the player wants
// them. The board's picture is never drawn on: the engine keeps reading the colours alone.
#pragma once

#include <QImage>
#include <QObject>
#include <cstdint>

#include "engine/Picture.h"
#include "play/BoardSymbols.h"

class QPainter;

namespace zarvel {

class SymbolOverlay {
 public:
  explicit SymbolOverlay(const Picture& board) : board_(board) {}

  bool shown() const { return shown_; }
  void setShown(bool shown) { shown_ = shown; }

  // Paints the symbols of the board as it is now, on a view of `ratio` device pixels a pixel:
  // from the art drawn at twice the size on a finer screen.
  void paint(QPainter& painter, qreal ratio);

 private:
  const QImage& strip(bool fine);

  const Picture& board_;
  bool shown_ = false;
  QImage small_;
  QImage large_;
};

// Tells a new press of the symbols' key from the keyboard's repeat, by every key the program
// gets, seen before a window's shortcut takes it.
class SymbolsKeyWatch : public QObject {
 public:
  SymbolsKeyWatch();
  // Whether the press that has just set off the key's shortcut is a new one.
  bool newPress() { return key_.press(pressKey_, pressTimeMs_, pressRepeat_); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  SymbolsKey key_;
  std::uint32_t pressKey_ = 0;
  std::int64_t pressTimeMs_ = 0;
  bool pressRepeat_ = false;
};

// The player's choice, kept in the configuration folder (~/.config/zarvel/zarvel.ini, on
// Windows %APPDATA%\zarvel\zarvel.ini).
bool symbolsChosen();
void chooseSymbols(bool shown);

}  // namespace zarvel
