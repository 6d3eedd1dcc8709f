// The board's symbols on the screen, and the player's choice of them between runs.
#include "ui/SymbolOverlay.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QSettings>

#include "engine/FineArt.h"
#include "play/BoardSymbols.h"

namespace zarvel {
namespace {

const QString kSymbolsKey = QStringLiteral("symbols");

// The player's own settings, by the game's name rather than the application's, which the
// tests and benchmarks that build the window would otherwise each have of their own; a file
// in the configuration folder on every system, never the Windows registry.
struct PlayerSettings : QSettings {
  PlayerSettings()
      : QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("zarvel"),
                  QStringLiteral("zarvel")) {}
};

}  // namespace

const QImage& SymbolOverlay::strip(bool fine) {
  QImage& image = fine ? large_ : small_;
  if (image.isNull())
    image = QImage(fine ? QStringLiteral(":/assets/symbols@2x.png")
                        : QStringLiteral(":/assets/symbols.png"));
  return image;
}

void SymbolOverlay::paint(QPainter& painter, qreal ratio) {
  if (!shown_) return;
  const bool fine = ratio > 1;
  const QImage& art = strip(fine);
  const int scale = fine ? kFine : 1;
  if (art.height() != kSymbolTile * scale) return;
  // At one and a half the large art is shrunk smoothly rather than the small one stretched.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, fine);
  for (const SymbolPlace& place : boardSymbols(board_)) {
    const QRectF source(static_cast<int>(place.shape) * kSymbolTile * scale, 0, kSymbolTile * scale,
                        kSymbolTile * scale);
    painter.drawImage(
        QRectF(cellOrigin(place.column), cellOrigin(place.row), kSymbolTile, kSymbolTile), art,
        source);
  }
}

SymbolsKeyWatch::SymbolsKeyWatch() {
  QCoreApplication::instance()->installEventFilter(this);
}

bool SymbolsKeyWatch::eventFilter(QObject* /*watched*/, QEvent* event) {
  // A shortcut's key reaches the program only as the override asked of it first. X times are
  // milliseconds that wrap; keys are told apart by where they are, in any keyboard layout.
  const bool press = event->type() == QEvent::ShortcutOverride;
  if (press || event->type() == QEvent::KeyRelease) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    const auto timeMs = static_cast<std::int64_t>(key->timestamp() & 0xFFFFFFFFU);
    if (press) {
      pressKey_ = key->nativeScanCode();
      pressTimeMs_ = timeMs;
      pressRepeat_ = key->isAutoRepeat();
    } else {
      key_.release(key->nativeScanCode(), timeMs);
    }
  }
  return false;
}

bool symbolsChosen() {
  return PlayerSettings().value(kSymbolsKey, false).toBool();
}

void chooseSymbols(bool shown) {
  PlayerSettings().setValue(kSymbolsKey, shown);
}

}  // namespace zarvel
