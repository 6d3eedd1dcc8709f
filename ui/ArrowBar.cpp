// Every mouse button presses and releases alike; Qt keeps delivering moves and the
// release to the bar that got the press, wherever the pointer goes.
#include "ui/ArrowBar.h"

#include <QMouseEvent>

#include "ui/ArrowBarPointer.h"

namespace zarvel {

ArrowBar::ArrowBar(Picture& picture, std::int32_t index, ArrowBarPointer& pointer, QWidget* parent)
    : PictureView(picture, parent), index_(index), pointer_(pointer) {
  setMouseTracking(true);
}

void ArrowBar::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  pointer_.mouseMove(index_, at.x(), at.y());
}

void ArrowBar::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  pointer_.mouseDown(index_, at.x(), at.y());
}

void ArrowBar::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  pointer_.mouseUp(index_, at.x(), at.y());
}

void ArrowBar::leaveEvent(QEvent* /*event*/) {
  pointer_.pointerLeftBar();
}

}  // namespace zarvel
