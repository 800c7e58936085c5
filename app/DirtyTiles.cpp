#include "app/DirtyTiles.h"

#include <algorithm>

DirtyTiles::DirtyTiles(QSize imageSize, int tileSize)
    : imageSize_(imageSize),
      tileSize_(std::max(1, tileSize)),
      columns_((imageSize.width() + tileSize_ - 1) / tileSize_),
      rows_((imageSize.height() + tileSize_ - 1) / tileSize_),
      marked_(static_cast<size_t>(std::max(0, columns_ * rows_)), 0) {}

void DirtyTiles::Mark(const QRect& rect) {
  const QRect inside = rect.intersected(QRect(QPoint(0, 0), imageSize_));
  if (inside.isEmpty()) return;
  const int firstColumn = inside.left() / tileSize_;
  const int lastColumn = inside.right() / tileSize_;
  for (int row = inside.top() / tileSize_; row <= inside.bottom() / tileSize_; ++row) {
    unsigned char* tiles = &marked_[static_cast<size_t>(row * columns_)];
    std::fill(tiles + firstColumn, tiles + lastColumn + 1, 1);
  }
  any_ = true;
}

QRegion DirtyTiles::Take() {
  QRegion region;
  if (!any_) return region;
  const QRect image(QPoint(0, 0), imageSize_);
  for (int row = 0; row < rows_; ++row) {
    unsigned char* tiles = &marked_[static_cast<size_t>(row * columns_)];
    for (int column = 0; column < columns_;) {
      if (!tiles[column]) {
        ++column;
        continue;
      }
      const int first = column;
      while (column < columns_ && tiles[column]) tiles[column++] = 0;
      // One rectangle per run of marked tiles in a row.
      region += QRect(first * tileSize_, row * tileSize_, (column - first) * tileSize_, tileSize_)
                    .intersected(image);
    }
  }
  any_ = false;
  return region;
}
