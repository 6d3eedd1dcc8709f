// Pictures read back from the screen or from files, and the few ways the suite compares
// and keeps them (PNG for screenshots a CI log can point at, PPM for reference pictures).
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace zarvel::e2e {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colour values written as 0xRRGGBB, the way a screenshot tool shows them.
constexpr Rgb rgb(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value >> 16U), static_cast<std::uint8_t>(value >> 8U),
          static_cast<std::uint8_t>(value)};
}

std::string toString(Rgb colour);  // "#RRGGBB"

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;

  Point topLeft() const { return {x, y}; }
  Rect movedBy(Point offset) const { return {x + offset.x, y + offset.y, width, height}; }
  bool contains(Point p) const {
    return p.x >= x && p.y >= y && p.x < x + width && p.y < y + height;
  }
};

std::string toString(const Rect& rect);  // "WxH+X+Y", like X geometry strings

class Image {
 public:
  Image() = default;
  Image(int width, int height, Rgb fill = {});

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return pixels_.empty(); }
  Rgb at(int x, int y) const { return pixels_[index(x, y)]; }
  void set(int x, int y, Rgb colour) { pixels_[index(x, y)] = colour; }
  // The part inside `area`; `area` must lie within the picture.
  Image crop(const Rect& area) const;
  // How many pixels of `area` have exactly `colour`.
  int count(const Rect& area, Rgb colour) const;

  friend bool operator==(const Image&, const Image&) = default;

 private:
  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }

  int width_ = 0;
  int height_ = 0;
  std::vector<Rgb> pixels_;
};

// What GoogleTest prints for a picture: its size and a few of its pixels, not its bytes.
void PrintTo(const Image& image, std::ostream* out);
// Where two pictures differ, for a failure message ("same" when they do not).
std::string differences(const Image& seen, const Image& expected);

// Writes an uncompressed PNG; false if the file could not be written.
bool writePng(const Image& image, const std::string& path);

// Reads a binary PPM (P6) or PGM (P5) with 8-bit samples; empty on any fault.
Image readPnm(const std::string& path);

}  // namespace zarvel::e2e
