// The persistent drawing behind every picture area of the game.
#include "engine/Picture.h"

#include <algorithm>

namespace zarvel {

Picture::Picture(int width, int height, Colour background)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      own_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), background),
      pixels_(own_) {}

void Picture::setOwnPicture(std::vector<Colour> pixels) {
  if (pixels.size() == own_.size()) own_ = std::move(pixels);
  clear();
}

void Picture::fillBox(int x1, int y1, int x2, int y2, Colour colour) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  x1 = std::max(x1, 0);
  y1 = std::max(y1, 0);
  x2 = std::min(x2, width_ - 1);
  y2 = std::min(y2, height_ - 1);
  if (x1 > x2 || y1 > y2) return;
  bool differs = false;
  for (int y = y1; y <= y2; ++y) {
    auto row = pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_;
    differs =
        differs || std::any_of(row + x1, row + x2 + 1, [colour](Colour c) { return c != colour; });
    std::fill(row + x1, row + x2 + 1, colour);
  }
  if (differs) changed();
}

Colour Picture::point(int x, int y) const {
  if (!inside(x, y)) return -1;
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                 static_cast<std::size_t>(x)];
}

void Picture::clear() {
  if (pixels_ == own_) return;
  pixels_ = own_;
  changed();
}

void Picture::paintPicture(const Picture& source, int dx, int dy, int sx, int sy, int w, int h) {
  // Clip against the source first, then the destination, moving both origins together.
  auto clipAxis = [](int& s, int& d, int& len, int sourceSize, int destSize) {
    if (s < 0) {
      d -= s;
      len += s;
      s = 0;
    }
    if (d < 0) {
      s -= d;
      len += d;
      d = 0;
    }
    len = std::min({len, sourceSize - s, destSize - d});
  };
  clipAxis(sx, dx, w, source.width_, width_);
  clipAxis(sy, dy, h, source.height_, height_);
  if (w <= 0 || h <= 0) return;
  // Copy through a buffer so that a picture copied onto itself stays correct.
  std::vector<Colour> rows(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  for (int y = 0; y < h; ++y) {
    auto from = source.pixels_.begin() + static_cast<std::ptrdiff_t>(sy + y) * source.width_ + sx;
    std::copy(from, from + w, rows.begin() + static_cast<std::ptrdiff_t>(y) * w);
  }
  bool differs = false;
  for (int y = 0; y < h; ++y) {
    auto from = rows.begin() + static_cast<std::ptrdiff_t>(y) * w;
    auto to = pixels_.begin() + static_cast<std::ptrdiff_t>(dy + y) * width_ + dx;
    differs = differs || !std::equal(from, from + w, to);
    std::copy(from, from + w, to);
  }
  if (differs) changed();
}

void Picture::changed() const {
  if (listener_) listener_();
}

}  // namespace zarvel
