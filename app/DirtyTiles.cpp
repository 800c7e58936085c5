#include "app/DirtyTiles.h"

QRegion DirtyTiles::Take() {
  QRegion region;
  for (const PixelRect& r : grid_.Take()) region += QRect(r.x, r.y, r.width, r.height);
  return region;
}
