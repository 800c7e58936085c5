#pragma once

#include <vector>

#include "raster/PixelRect.h"

// Remembers which parts of an image were drawn on, as a grid of square tiles, so
// that only those parts are shown again. A frame draws in a few places far apart
// (the mechanism, a plot segment); one bounding rectangle of them would span most
// of the window.
class TileGrid {
 public:
  TileGrid(int imageWidth, int imageHeight, int tileSize = 32);

  void Mark(const PixelRect& rect);  // parts outside the image are ignored
  bool IsEmpty() const { return !any_; }
  // The tiles marked since the last call, one rectangle per run of marked tiles in
  // a row, cut to the image; then clears.
  std::vector<PixelRect> Take();

 private:
  PixelRect image_;
  int tileSize_;
  int columns_;
  int rows_;
  std::vector<unsigned char> marked_;
  bool any_ = false;
};
