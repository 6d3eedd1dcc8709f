// Every mouse button presses and releases alike; Qt keeps delivering moves and the
// release to the bar that got the press, wherever the pointer goes.
#include "ui/ArrowBar.h"

#include <QMouseEvent>

#include "play/ArrowBarPointer.h"

namespace zarvel {
namespace {

// The squares of the bar's seven arrows, where every look lands whole.
std::vector<QRect> arrowSquares(std::int32_t index) {
  const bool horizontal = index == kBarTop || index == kBarBottom;
  std::vector<QRect> squares;
  for (int line = 0; line < kLines; ++line) {
    squares.emplace_back(horizontal ? cellOrigin(line) : 0, horizontal ? 0 : cellOrigin(line),
                         kSquare, kSquare);
  }
  return squares;
}

// The strip's eight tiles: the highlighted arrows of bars 0..3, then the pressed ones.
std::vector<QRect> stripTiles() {
  std::vector<QRect> tiles;
  for (int tile = 0; tile < 2 * kBars; ++tile)
    tiles.emplace_back(kSquare * tile, 0, kSquare, kSquare);
  return tiles;
}

}  // namespace

ArrowBar::ArrowBar(Picture& picture, std::int32_t index, ArrowBarPointer& pointer, QWidget* parent)
    : PictureView(picture, parent), index_(index), pointer_(pointer) {
  setMouseTracking(true);
  const QString own = QStringLiteral(":/assets/picStrelki%1.png").arg(index);
  loadOwnPicture(picture, own);
  setFineArt(own, arrowSquares(index), {{kArrowStrip, stripTiles()}});
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
