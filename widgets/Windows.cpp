// The frame and the place of the game's windows.
#include "widgets/Windows.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
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

// The frame a window manager put around `window`, none before it did. While a window
// manager is still building a frame, Qt may find a frame window smaller than the window it
// holds and report margins below zero, or the window still in the frame's corner, with all
// the frame to its right and below: that is no frame yet either.
QMargins frameOf(const QWidget& window) {
  const QWindow* handle = window.windowHandle();
  const QMargins frame = handle != nullptr ? handle->frameMargins() : QMargins();
  const bool whole =
      frame.left() >= 0 && frame.top() >= 0 && frame.right() >= 0 && frame.bottom() >= 0;
  const bool inTheCorner = frame.left() == 0 && frame.top() == 0;
  return whole && !inTheCorner ? frame : QMargins();
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

// Where the client area sits when `frame` around it is in the middle of the screen. The
// client area's own place is given, not the frame's: Qt's idea of where a frame is can lag
// behind the window manager's, while a client area asked for stays where it was put.
QPoint centredClientPosition(const QWidget& window, const QMargins& frame) {
  QRect outer = QRect(QPoint(), window.size()).marginsAdded(frame);
  if (const QScreen* screen = window.screen()) {
    outer.moveCenter(screen->availableGeometry().center());
  }
  return outer.topLeft() + QPoint(frame.left(), frame.top());
}

void placeForFrame(QWidget& window, const QMargins& frame) {
  window.setGeometry(QRect(centredClientPosition(window, frame), window.size()));
}

// Centres a window as it is shown, before it is mapped, so that a window manager finds it
// where it belongs and frames it there. A window manager says what frame it gave
// (_NET_FRAME_EXTENTS, or the frame Qt finds around the mapped window) before it maps the
// window, and a mapped window is exposed or moved into its frame; so at its first expose or
// move with a whole frame the window compares that frame with the one it was placed for,
// and its place with the one it should have, and when either differs is placed once more,
// for its own frame. Not sooner: a window
// manager still busy framing a window may ignore where the window asks to go. Without a window
// manager no frame ever comes and the watch stays quiet.
class Centring : public QObject {
 public:
  explicit Centring(QWidget& window) : QObject(&window), window_(window) {
    if (window.isVisible()) {
      place();
    } else {
      window.installEventFilter(this);
    }
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Show) {
      window_.removeEventFilter(this);
      place();  // shown, not yet mapped
    } else if (watched != &window_ &&
               (event->type() == QEvent::Expose || event->type() == QEvent::Move)) {
      look();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void place() {
    window_.winId();  // the native window, whose frame is asked for
    placedFor_ = expectedFrame(window_);
    placeForFrame(window_, placedFor_);
    if (!frameOf(window_).isNull()) return deleteLater();
    window_.windowHandle()->installEventFilter(this);
  }

  void look() {
    const QMargins frame = frameOf(window_);
    if (frame.isNull()) return;
    if (frame != placedFor_ ||
        window_.geometry().topLeft() != centredClientPosition(window_, frame)) {
      // Qt may believe the window already sits where it should, from a stale word of the
      // window manager, and would then send nothing: a step aside first makes the move real.
      window_.setGeometry(window_.geometry().translated(1, 0));
      placeForFrame(window_, frame);
    }
    window_.windowHandle()->removeEventFilter(this);
    deleteLater();
  }

  QWidget& window_;
  QMargins placedFor_;
};

}  // namespace

void centreOnScreen(QWidget& window) {
  new Centring(window);
}

int titleBarWidth(const QString& title) {
  // A desktop whose theme names its title font tells Qt; elsewhere titles are drawn in the
  // ordinary font, in bold, as window managers draw them by default.
  QFont font = QApplication::font("QMdiSubWindowTitleBar");
  if (font == QApplication::font()) font.setBold(true);
  const QStyle* style = QApplication::style();
  const int button = style->pixelMetric(QStyle::PM_TitleBarButtonSize);
  const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
  // Window managers centre the title in its bar, between the icon on one side and up to
  // three buttons on the other: room for three buttons and a border on either side.
  return QFontMetrics(font).horizontalAdvance(title) + 2 * (3 * button + border);
}

void fitTitle(QMessageBox& box) {
  auto* buttons = box.findChild<QDialogButtonBox*>();
  if (buttons == nullptr || box.layout() == nullptr) return;
  // The box takes the width its contents need, so the row of buttons is what is widened.
  const QMargins margins = box.layout()->contentsMargins();
  buttons->setMinimumWidth(titleBarWidth(box.windowTitle()) - margins.left() - margins.right());
}

}  // namespace zarvel
