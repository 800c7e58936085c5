#include "ColumnReduction.h"

#include <algorithm>
#include <cmath>

std::vector<QPointF> ReducedToColumns(const std::vector<QPointF>& points, double xLow, double xHigh, int columns) {
  if (!(xHigh > xLow) || columns < 1 || points.size() <= 4) return points;
  const double width = (xHigh - xLow) / columns;
  std::vector<QPointF> reduced;
  std::size_t first = 0;
  while (first < points.size()) {
    const double slice = std::floor((points[first].x() - xLow) / width);
    std::size_t end = first + 1;
    std::size_t lowest = first;
    std::size_t highest = first;
    for (; end < points.size() && std::floor((points[end].x() - xLow) / width) == slice; ++end) {
      if (points[end].y() < points[lowest].y()) lowest = end;
      if (points[end].y() > points[highest].y()) highest = end;
    }
    std::size_t kept[] = {first, lowest, highest, end - 1};
    std::sort(std::begin(kept), std::end(kept));
    const std::size_t* last = std::unique(std::begin(kept), std::end(kept));
    for (const std::size_t* k = std::begin(kept); k != last; ++k) reduced.push_back(points[*k]);
    first = end;
  }
  return reduced;
}
