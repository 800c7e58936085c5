#include "raster/DotStamp.h"

std::vector<PixelOffset> DotStamp(int diameter) {
  std::vector<PixelOffset> stamp;
  const double radius = diameter / 2.0;
  const double centre = PenCentreOffset(diameter);
  const int low = -diameter / 2;
  const int high = low + diameter - 1;
  for (int dy = low; dy <= high; ++dy) {
    for (int dx = low; dx <= high; ++dx) {
      const double ex = dx - centre;
      const double ey = dy - centre;
      if (ex * ex + ey * ey <= radius * radius) stamp.push_back({dx, dy});
    }
  }
  return stamp;
}
