// The frame and the place of the game's windows.
#include "widgets/Windows.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace zarvel {

void setUpFixedDialog(QDialog& dialog, const QString& caption, QSize client,
                      const QColor& background) {
  dialog.setWindowTitle(caption);
  dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  dialog.setModal(true);
  dialog.setFixedSize(client);
  QPalette palette = dialog.palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::Button, background);
  palette.setColor(QPalette::WindowText, Qt::black);
  dialog.setPalette(palette);
  dialog.setAutoFillBackground(true);
}

namespace {

QMargins frameOf(const QWidget& window) {
  const QWindow* handle = window.windowHandle();
  return handle != nullptr ? handle->frameMargins() : QMargins();
}

// The frame a window will get: its own once the window manager has framed it; before that,
// the frame of another window of the program that is framed already (a window manager
// gives its windows the same frame), and none without a window manager.
QMargins expectedFrame(const QWidget& window) {
  const QMargins own = frameOf(window);
  if (!own.isNull()) return own;
  for (const QWidget* other : QApplication::topLevelWidgets()) {
    if (other != &window && other->isVisible() && !frameOf(*other).isNull()) {
      return frameOf(*other);
    }
  }
  return {};
}

// Where the top-left corner of `window`'s frame goes for the frame to sit in the middle of
// the screen.
QPoint centredFramePosition(const QWidget& window, const QMargins& frame) {
  const QScreen* screen = window.screen();
  QRect outer = QRect(QPoint(), window.size()).marginsAdded(frame);
  if (screen != nullptr) outer.moveCenter(screen->availableGeometry().center());
  return outer.topLeft();
}

// Watches a window that was placed with a guessed frame until its own frame is known, and
// centres it again if the guess was wrong. Qt's idea of where a window is can lag behind
// the window manager's for a moment after framing, so the window counts as placed only
// once two looks in a row find it centred; after a second it is left alone in any case
// (without a window manager no frame ever comes).
class CentreWhenFramed : public QObject {
 public:
  explicit CentreWhenFramed(QWidget& window) : QObject(&window), window_(window) {
    timer_.setInterval(25);
    connect(&timer_, &QTimer::timeout, this, &CentreWhenFramed::look);
    timer_.start();
  }

 private:
  static constexpr int kLooks = 40;

  void look() {
    const QMargins frame = frameOf(window_);
    if (++looks_ > kLooks) return finish();
    if (frame.isNull()) return;
    const QPoint target = centredFramePosition(window_, frame);
    if (window_.frameGeometry().topLeft() == target) {
      if (++steady_ == 2) finish();
      return;
    }
    steady_ = 0;
    window_.move(target);  // a framed window is placed by its frame
  }

  void finish() {
    timer_.stop();
    deleteLater();
  }

  QWidget& window_;
  QTimer timer_;
  int looks_ = 0;
  int steady_ = 0;
};

}  // namespace

void centreOnScreen(QWidget& window) {
  const QMargins frame = expectedFrame(window);
  const QPoint framePosition = centredFramePosition(window, frame);
  if (!frameOf(window).isNull()) {
    window.move(framePosition);
    return;
  }
  // Qt places a frame only once it knows it: until then the client area goes where it will
  // sit inside the expected frame.
  window.setGeometry(QRect(framePosition + QPoint(frame.left(), frame.top()), window.size()));
  new CentreWhenFramed(window);
}

}  // namespace zarvel
