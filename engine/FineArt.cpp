// Deriving the large drawing from what the picture holds.
#include "engine/FineArt.h"

#include <algorithm>
#include <cstddef>

namespace zarvel {
namespace {

std::size_t at(int x, int y, int width) {
  return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
         static_cast<std::size_t>(x);
}

bool sized(const FineArt& art) {
  const auto pixels = static_cast<std::size_t>(art.width) * static_cast<std::size_t>(art.height);
  return art.small.size() == pixels && art.large.size() == pixels * kFine * kFine;
}

bool inside(const Box& box, int width, int height) {
  return box.left >= 0 && box.top >= 0 && box.width >= 0 && box.height >= 0 &&
         box.left + box.width <= width && box.top + box.height <= height;
}

// Whether `a` holds in box `inA` exactly what `b` holds in box `inB`.
bool sameBox(const std::vector<Colour>& a, int widthA, const Box& inA, const std::vector<Colour>& b,
             int widthB, const Box& inB) {
  if (inA.width != inB.width || inA.height != inB.height) return false;
  for (int y = 0; y < inA.height; ++y) {
    const auto rowA = a.begin() + static_cast<std::ptrdiff_t>(at(inA.left, inA.top + y, widthA));
    const auto rowB = b.begin() + static_cast<std::ptrdiff_t>(at(inB.left, inB.top + y, widthB));
    if (!std::equal(rowA, rowA + inA.width, rowB)) return false;
  }
  return true;
}

std::vector<Box> tilesOf(const FineArt& art) {
  if (!art.tiles.empty()) return art.tiles;
  return {{0, 0, art.width, art.height}};
}

}  // namespace

std::vector<Colour> fineDrawing(const std::vector<Colour>& now, const FineArt& own,
                                const std::vector<FineArt>& sources) {
  if (!sized(own) || now.size() != own.small.size()) return {};
  const int largeWidth = own.width * kFine;
  std::vector<Colour> fine = own.large;
  std::vector<bool> fromTile(now.size());
  for (const Box& cell : tilesOf(own)) {
    if (!inside(cell, own.width, own.height) ||
        sameBox(now, own.width, cell, own.small, own.width, cell)) {
      continue;
    }
    for (const FineArt& source : sources) {
      if (!sized(source)) continue;
      const auto tiles = tilesOf(source);
      const auto tile = std::find_if(tiles.begin(), tiles.end(), [&](const Box& t) {
        return inside(t, source.width, source.height) &&
               sameBox(now, own.width, cell, source.small, source.width, t);
      });
      if (tile == tiles.end()) continue;
      const int sourceLargeWidth = source.width * kFine;
      for (int y = 0; y < cell.height * kFine; ++y) {
        const auto from = source.large.begin() +
                          static_cast<std::ptrdiff_t>(
                              at(tile->left * kFine, tile->top * kFine + y, sourceLargeWidth));
        std::copy(from, from + cell.width * kFine,
                  fine.begin() + static_cast<std::ptrdiff_t>(
                                     at(cell.left * kFine, cell.top * kFine + y, largeWidth)));
      }
      for (int y = cell.top; y < cell.top + cell.height; ++y)
        for (int x = cell.left; x < cell.left + cell.width; ++x)
          fromTile[at(x, y, own.width)] = true;
      break;
    }
  }
  // Whatever no tile accounts for is shown as it is, each pixel a square of its colour.
  for (int y = 0; y < own.height; ++y)
    for (int x = 0; x < own.width; ++x) {
      const std::size_t i = at(x, y, own.width);
      if (fromTile[i] || now[i] == own.small[i]) continue;
      for (int k = 0; k < kFine * kFine; ++k)
        fine[at(kFine * x + k % kFine, kFine * y + k / kFine, largeWidth)] = now[i];
    }
  return fine;
}

}  // namespace zarvel
