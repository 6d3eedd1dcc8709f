// Shows a Picture; converts it to a QImage only when it has changed. On a screen of more
// than one device pixel a pixel it shows the art drawn at twice the size where it has some.
#include "widgets/PictureView.h"

#include <QPainter>
#include <QPointer>

#include "engine/FineArt.h"
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

QIcon gameIcon() {
  QIcon icon(QStringLiteral(":/assets/zarvel.png"));
  for (const int size : {16, 24, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/assets/icons/%1x%1.png").arg(size), QSize(size, size));
  return icon;
}

PictureView::PictureView(Picture& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The owner may destroy the picture before or after this widget; the guard keeps a
  // picture that outlives its view from calling into a widget that is gone, and the view
  // never has to touch a picture on its way out.
  picture_.setChangeListener([view = QPointer<PictureView>(this)] {
    if (view) {
      view->stale_ = true;
      view->fineStale_ = true;
      view->update();
    }
  });
}

FineArt PictureView::loadArt(const QString& resource, const std::vector<QRect>& tiles) {
  const QImage small(resource);
  const QImage large(QString(resource).replace(QStringLiteral(".png"), QStringLiteral("@2x.png")));
  FineArt art{small.width(), small.height(), coloursOf(small), {}, {}};
  if (!small.isNull() && large.size() == small.size() * kFine) art.large = coloursOf(large);
  for (const QRect& tile : tiles)
    art.tiles.push_back({tile.x(), tile.y(), tile.width(), tile.height()});
  return art;
}

void PictureView::setFineArt(const QString& resource, std::vector<QRect> cells,
                             std::vector<CopySource> sources) {
  fineFiles_ = FineArtFiles{resource, std::move(cells), std::move(sources)};
  own_ = FineArt{};
  sources_.clear();
  fineStale_ = true;
  update();
}

void PictureView::loadFineArt() {
  if (!fineFiles_) return;
  const FineArtFiles files = std::move(*fineFiles_);
  fineFiles_.reset();
  own_ = loadArt(files.resource, files.cells);
  if (own_.width != picture_.width() || own_.height != picture_.height()) own_ = FineArt{};
  for (const CopySource& source : files.sources) {
    FineArt art = loadArt(source.resource, source.tiles);
    if (!art.large.empty()) sources_.push_back(std::move(art));
  }
}

const QImage& PictureView::image() {
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
  return image_;
}

QImage PictureView::fineImage() {
  loadFineArt();
  if (own_.large.empty() || !fineStale_) return fine_;
  const std::vector<Colour> fine = fineDrawing(picture_.pixels(), own_, sources_);
  if (fine.empty()) return fine_ = QImage();
  fine_ = QImage(own_.width * kFine, own_.height * kFine, QImage::Format_RGB32);
  for (int y = 0; y < fine_.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(fine_.scanLine(y));
    for (int x = 0; x < fine_.width(); ++x)
      line[x] = toQRgb(fine[static_cast<std::size_t>(y * fine_.width() + x)]);
  }
  fine_.setDevicePixelRatio(kFine);
  fineStale_ = false;
  return fine_;
}

void PictureView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  // Asked on every paint, so that a window moved to a finer screen reads the art there.
  const QImage fine = devicePixelRatioF() > 1 ? fineImage() : QImage();
  if (!fine.isNull()) {
    // At one and a half the large art is shrunk smoothly rather than the small one stretched.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), fine);
  } else {
    painter.drawImage(0, 0, image());
  }
  if (overlay_) overlay_(painter);
}

}  // namespace zarvel
