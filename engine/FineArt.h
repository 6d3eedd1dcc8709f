// A picture at twice its size, for a screen of more than one device pixel a pixel, from the
// art drawn at that size. The game's picture stays the only state: its drawing at twice the
// size is derived from it every time, the desktop's view and the web page's alike.
#pragma once

#include <vector>

#include "engine/Geometry.h"

namespace zarvel {

inline constexpr int kFine = 2;  // the large art is drawn at twice the size

// A picture drawn at both sizes, row by row, and its tiles (boxes of the small one): the
// cells of a picture where whole tiles land, or the tiles a source gives. No tiles means
// the whole picture is one.
struct FineArt {
  int width = 0;  // of the small drawing
  int height = 0;
  std::vector<Colour> small;
  std::vector<Colour> large;
  std::vector<Box> tiles;
};

// The drawing `now` (own.width x own.height) at twice the size: `own`'s large drawing, with
// the large tile wherever a cell of `own` holds exactly a tile of one of `sources`, and any
// other pixel that differs from `own`'s small drawing as a square of its colour. Empty when
// `own` has no large drawing of the right size.
std::vector<Colour> fineDrawing(const std::vector<Colour>& now, const FineArt& own,
                                const std::vector<FineArt>& sources);

}  // namespace zarvel
