// Pictures in memory, an uncompressed PNG writer and a PPM reader, so the suite needs no
// image library.
#include "tests/e2e/Image.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace zarvel::e2e {
namespace {

std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
  static const auto table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1U) : c >> 1U;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFFU] ^ (crc >> 8U);
  return ~crc;
}

void putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<std::uint8_t>(value >> static_cast<unsigned>(shift)));
  }
}

void putChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& data) {
  putBigEndian(out, static_cast<std::uint32_t>(data.size()));
  std::vector<std::uint8_t> typed(type, type + 4);
  typed.insert(typed.end(), data.begin(), data.end());
  out.insert(out.end(), typed.begin(), typed.end());
  putBigEndian(out, crc32(typed.data(), typed.size()));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<std::uint8_t> storedZlib(const std::vector<std::uint8_t>& raw) {
  std::vector<std::uint8_t> out{0x78, 0x01};
  constexpr std::size_t kBlock = 65535;
  std::size_t offset = 0;
  do {
    const std::size_t size = std::min(kBlock, raw.size() - offset);
    const bool last = offset + size == raw.size();
    out.push_back(last ? 1 : 0);
    const auto len = static_cast<std::uint16_t>(size);
    const auto nlen = static_cast<std::uint16_t>(~len);
    out.push_back(static_cast<std::uint8_t>(len & 0xFFU));
    out.push_back(static_cast<std::uint8_t>(len >> 8U));
    out.push_back(static_cast<std::uint8_t>(nlen & 0xFFU));
    out.push_back(static_cast<std::uint8_t>(nlen >> 8U));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset),
               raw.begin() + static_cast<std::ptrdiff_t>(offset + size));
    offset += size;
  } while (offset < raw.size());
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const std::uint8_t byte : raw) {
    a = (a + byte) % 65521U;
    b = (b + a) % 65521U;
  }
  putBigEndian(out, (b << 16U) | a);
  return out;
}

}  // namespace

std::string toString(Rgb colour) {
  std::array<char, 8> text{};
  std::snprintf(text.data(), text.size(), "#%02X%02X%02X", colour.r, colour.g, colour.b);
  return text.data();
}

std::string toString(const Rect& rect) {
  return std::to_string(rect.width) + "x" + std::to_string(rect.height) + "+" +
         std::to_string(rect.x) + "+" + std::to_string(rect.y);
}

Image::Image(int width, int height, Rgb fill)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

Image Image::crop(const Rect& area) const {
  Image part(area.width, area.height);
  for (int y = 0; y < area.height; ++y) {
    for (int x = 0; x < area.width; ++x) part.set(x, y, at(area.x + x, area.y + y));
  }
  return part;
}

int Image::count(const Rect& area, Rgb colour) const {
  int n = 0;
  for (int y = area.y; y < area.y + area.height; ++y) {
    for (int x = area.x; x < area.x + area.width; ++x) n += at(x, y) == colour ? 1 : 0;
  }
  return n;
}

void PrintTo(const Image& image, std::ostream* out) {
  *out << image.width() << "x" << image.height() << " picture";
  if (!image.empty()) {
    *out << ", corners " << toString(image.at(0, 0)) << " "
         << toString(image.at(image.width() - 1, image.height() - 1));
  }
}

std::string differences(const Image& seen, const Image& expected) {
  if (seen.width() != expected.width() || seen.height() != expected.height()) {
    return "a " + std::to_string(seen.width()) + "x" + std::to_string(seen.height()) +
           " picture where " + std::to_string(expected.width()) + "x" +
           std::to_string(expected.height()) + " was expected";
  }
  int count = 0;
  std::string first;
  for (int y = 0; y < seen.height(); ++y) {
    for (int x = 0; x < seen.width(); ++x) {
      if (seen.at(x, y) == expected.at(x, y)) continue;
      if (count++ == 0) {
        first = " first at (" + std::to_string(x) + ", " + std::to_string(y) +
                "): " + toString(seen.at(x, y)) + " instead of " + toString(expected.at(x, y));
      }
    }
  }
  return count == 0 ? "same" : std::to_string(count) + " pixels differ," + first;
}

bool writePng(const Image& image, const std::string& path) {
  std::vector<std::uint8_t> raw;
  raw.reserve(static_cast<std::size_t>(image.height()) *
              (1 + 3 * static_cast<std::size_t>(image.width())));
  for (int y = 0; y < image.height(); ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < image.width(); ++x) {
      const Rgb c = image.at(x, y);
      raw.insert(raw.end(), {c.r, c.g, c.b});
    }
  }
  std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  putBigEndian(header, static_cast<std::uint32_t>(image.width()));
  putBigEndian(header, static_cast<std::uint32_t>(image.height()));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
  putChunk(png, "IHDR", header);
  putChunk(png, "IDAT", storedZlib(raw));
  putChunk(png, "IEND", {});
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return out.good();
}

Image readPnm(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int width = 0;
  int height = 0;
  int maxValue = 0;
  in >> magic >> width >> height >> maxValue;
  in.get();  // the single white-space character before the samples
  if (!in || (magic != "P6" && magic != "P5") || maxValue != 255 || width <= 0 || height <= 0) {
    return {};
  }
  const bool colour = magic == "P6";
  Image image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::array<char, 3> sample{};
      in.read(sample.data(), colour ? 3 : 1);
      const auto r = static_cast<std::uint8_t>(sample[0]);
      image.set(x, y,
                colour ? Rgb{r, static_cast<std::uint8_t>(sample[1]),
                             static_cast<std::uint8_t>(sample[2])}
                       : Rgb{r, r, r});
    }
  }
  return in ? image : Image{};
}

}  // namespace zarvel::e2e
