#pragma once

#include <QRect>
#include <QRegion>
#include <QSize>

#include "raster/TileGrid.h"

// The tile grid of drawn-on parts, in Qt's rectangles and regions.
class DirtyTiles {
 public:
  explicit DirtyTiles(QSize imageSize, int tileSize = 32)
      : grid_(imageSize.width(), imageSize.height(), tileSize) {}

  void Mark(const QRect& rect) { grid_.Mark({rect.x(), rect.y(), rect.width(), rect.height()}); }
  bool IsEmpty() const { return grid_.IsEmpty(); }
  // The tiles marked since the last call, as a region of image pixels; then clears.
  QRegion Take();

 private:
  TileGrid grid_;
};
