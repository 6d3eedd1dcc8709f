// A picture area's persistent drawing: an own picture plus whatever has been drawn
// on top of it since the last clear. The board, the bars and the mascot all keep
// their state here, so nothing is lost when the screen is repainted.
#pragma once

#include <functional>
#include <vector>

#include "engine/Geometry.h"

namespace zarvel {

class Picture {
 public:
  // A picture whose own picture is a plain field of `background`.
  Picture(int width, int height, Colour background);

  int width() const { return width_; }
  int height() const { return height_; }

  // Replaces the own picture (row by row, width x height values) and clears onto it.
  // A vector of the wrong size is ignored, so a broken asset leaves a plain field.
  void setOwnPicture(std::vector<Colour> pixels);

  // Filled box from (x1, y1) to (x2, y2), both corners included; clipped to the picture.
  void fillBox(int x1, int y1, int x2, int y2, Colour colour);

  // The colour last drawn at (x, y), or -1 outside the picture.
  Colour point(int x, int y) const;

  // Removes everything drawn, so the picture shows its own picture again.
  void clear();

  // Plain copy (source pixels replace destination pixels) of the w x h rectangle at
  // (sx, sy) of `source`'s current drawing to (dx, dy); clipped on both sides.
  void paintPicture(const Picture& source, int dx, int dy, int sx, int sy, int w, int h);

  // Current drawing, row by row.
  const std::vector<Colour>& pixels() const { return pixels_; }
  // The own picture, row by row.
  const std::vector<Colour>& ownPixels() const { return own_; }

  // Called after every change of the drawing; the screen uses it to repaint. Drawing what
  // is already there is no change, so redrawing a look costs no repaint.
  void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

 private:
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  void changed() const;

  int width_;
  int height_;
  std::vector<Colour> own_;
  std::vector<Colour> pixels_;
  std::function<void()> listener_;
};

}  // namespace zarvel
