// Shows a Picture; converts it to a QImage only when it has changed. On a screen of more
// than one device pixel a pixel it shows the art drawn at twice the size where it has some.
#include "widgets/PictureView.h"

#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <cstring>

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

constexpr int kFine = 2;  // the large art is drawn at twice the size

QRect finer(const QRect& rect) {
  return {rect.topLeft() * kFine, rect.size() * kFine};
}

// Whether `a` holds in `inA` exactly what `b` holds in `inB`; both 32-bit RGB.
bool sameRect(const QImage& a, const QRect& inA, const QImage& b, const QRect& inB) {
  if (inA.size() != inB.size() || !a.rect().contains(inA) || !b.rect().contains(inB)) return false;
  const auto bytes = static_cast<std::size_t>(inA.width()) * sizeof(QRgb);
  for (int y = 0; y < inA.height(); ++y) {
    const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(inA.top() + y)) + inA.left();
    const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(inB.top() + y)) + inB.left();
    if (std::memcmp(rowA, rowB, bytes) != 0) return false;
  }
  return true;
}

// Copies `from` of `source` to `to` of `target`; both 32-bit RGB, both inside.
void copyRect(QImage& target, QPoint to, const QImage& source, const QRect& from) {
  const auto bytes = static_cast<std::size_t>(from.width()) * sizeof(QRgb);
  for (int y = 0; y < from.height(); ++y) {
    std::memcpy(reinterpret_cast<QRgb*>(target.scanLine(to.y() + y)) + to.x(),
                reinterpret_cast<const QRgb*>(source.constScanLine(from.top() + y)) + from.left(),
                bytes);
  }
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

PictureView::Art PictureView::loadArt(const QString& resource, std::vector<QRect> tiles) {
  Art art{QImage(resource).convertToFormat(QImage::Format_RGB32),
          QImage(QString(resource).replace(QStringLiteral(".png"), QStringLiteral("@2x.png")))
              .convertToFormat(QImage::Format_RGB32),
          std::move(tiles)};
  if (art.tiles.empty()) art.tiles.push_back(art.small.rect());
  if (art.small.isNull() || art.large.size() != art.small.size() * kFine) art.large = QImage();
  return art;
}

void PictureView::setFineArt(const QString& resource, std::vector<QRect> cells,
                             std::vector<CopySource> sources) {
  fineFiles_ = FineArtFiles{resource, std::move(cells), std::move(sources)};
  own_ = Art{};
  sources_.clear();
  fineStale_ = true;
  update();
}

void PictureView::loadFineArt() {
  if (!fineFiles_) return;
  FineArtFiles files = std::move(*fineFiles_);
  fineFiles_.reset();
  own_ = loadArt(files.resource, std::move(files.cells));
  if (own_.small.size() != QSize(picture_.width(), picture_.height())) own_ = Art{};
  for (CopySource& source : files.sources) {
    Art art = loadArt(source.resource, std::move(source.tiles));
    if (!art.large.isNull()) sources_.push_back(std::move(art));
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
  if (own_.large.isNull() || !fineStale_) return fine_;
  const QImage& now = image();
  fine_ = own_.large.copy();
  std::vector<bool> fromTile(static_cast<std::size_t>(now.width()) *
                             static_cast<std::size_t>(now.height()));
  for (const QRect& cell : own_.tiles) {
    if (sameRect(now, cell, own_.small, cell)) continue;
    for (const Art& source : sources_) {
      const auto tile = std::find_if(source.tiles.begin(), source.tiles.end(), [&](const QRect& t) {
        return sameRect(now, cell, source.small, t);
      });
      if (tile == source.tiles.end()) continue;
      copyRect(fine_, finer(cell).topLeft(), source.large, finer(*tile));
      for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
          fromTile[static_cast<std::size_t>(y * now.width() + x)] = true;
      break;
    }
  }
  // Whatever no drawing accounts for is shown as it is, each pixel a square of its colour.
  for (int y = 0; y < now.height(); ++y)
    for (int x = 0; x < now.width(); ++x)
      if (!fromTile[static_cast<std::size_t>(y * now.width() + x)] &&
          now.pixel(x, y) != own_.small.pixel(x, y))
        for (int k = 0; k < kFine * kFine; ++k)
          fine_.setPixel(kFine * x + k % kFine, kFine * y + k / kFine, now.pixel(x, y));
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
}

}  // namespace zarvel
