// Shows a Picture; converts it to a QImage only when it has changed.
#include "widgets/PictureView.h"

#include <QPainter>
#include <QPointer>

#include "widgets/Conversions.h"

namespace zarvel {
namespace {

// The pixels of an image as game colour values, row by row.
std::vector<Colour> coloursOf(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  std::vector<Colour> colours;
  colours.reserve(static_cast<std::size_t>(rgb.width()) * static_cast<std::size_t>(rgb.height()));
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) colours.push_back(fromQRgb(line[x]));
  }
  return colours;
}

}  // namespace

void loadOwnPicture(Picture& picture, const QString& resource) {
  const QImage image(resource);
  if (image.width() == picture.width() && image.height() == picture.height()) {
    picture.setOwnPicture(coloursOf(image));
  }
}

PictureView::PictureView(Picture& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The owner may destroy the picture before or after this widget; the guard keeps a
  // picture that outlives its view from calling into a widget that is gone, and the view
  // never has to touch a picture on its way out.
  picture_.setChangeListener([view = QPointer<PictureView>(this)] {
    if (view) {
      view->stale_ = true;
      view->update();
    }
  });
}

void PictureView::paintEvent(QPaintEvent* /*event*/) {
  if (stale_) {
    image_ = QImage(picture_.width(), picture_.height(), QImage::Format_RGB32);
    const auto& pixels = picture_.pixels();
    for (int y = 0; y < picture_.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
      for (int x = 0; x < picture_.width(); ++x) {
        line[x] = toQRgb(pixels[static_cast<std::size_t>(y * picture_.width() + x)]);
      }
    }
    stale_ = false;
  }
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}

}  // namespace zarvel
