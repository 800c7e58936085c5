#include "raster/TileGrid.h"

#include <algorithm>

TileGrid::TileGrid(int imageWidth, int imageHeight, int tileSize)
    : image_{0, 0, std::max(0, imageWidth), std::max(0, imageHeight)},
      tileSize_(std::max(1, tileSize)),
      columns_((image_.width + tileSize_ - 1) / tileSize_),
      rows_((image_.height + tileSize_ - 1) / tileSize_),
      marked_(static_cast<size_t>(columns_) * static_cast<size_t>(rows_), 0) {}

void TileGrid::Mark(const PixelRect& rect) {
  const PixelRect inside = rect.Intersected(image_);
  if (inside.IsEmpty()) return;
  const int firstColumn = inside.x / tileSize_;
  const int lastColumn = inside.Right() / tileSize_;
  for (int row = inside.y / tileSize_; row <= inside.Bottom() / tileSize_; ++row) {
    unsigned char* tiles = &marked_[static_cast<size_t>(row * columns_)];
    std::fill(tiles + firstColumn, tiles + lastColumn + 1, 1);
  }
  any_ = true;
}

std::vector<PixelRect> TileGrid::Take() {
  std::vector<PixelRect> runs;
  if (!any_) return runs;
  for (int row = 0; row < rows_; ++row) {
    unsigned char* tiles = &marked_[static_cast<size_t>(row * columns_)];
    for (int column = 0; column < columns_;) {
      if (!tiles[column]) {
        ++column;
        continue;
      }
      const int first = column;
      while (column < columns_ && tiles[column]) tiles[column++] = 0;
      runs.push_back(PixelRect{first * tileSize_, row * tileSize_, (column - first) * tileSize_, tileSize_}
                         .Intersected(image_));
    }
  }
  any_ = false;
  return runs;
}
