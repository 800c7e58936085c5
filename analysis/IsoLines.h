#pragma once

#include <span>
#include <vector>

// Iso-lines (contours) of a quantity sampled on a rectangular grid, such as a value
// per mode over the two control shafts: where the quantity equals a level, as
// polylines, by marching squares with linear interpolation along the cells' edges.

struct IsoPoint {
  double x = 0;
  double y = 0;
};

// Values on a grid: value(i, j) at (xs[i], ys[j]), stored as values[i * ys.size() + j];
// a NaN is a missing value, and no line enters a cell that has one at a corner. The
// coordinates need not be evenly spaced but must rise.
struct IsoGrid {
  std::span<const double> xs;
  std::span<const double> ys;
  std::span<const double> values;
};

// The lines where the grid's quantity equals level. A line that closes on itself ends
// with its first point again; one that meets the grid's edge or a missing value ends
// there. A cell whose diagonal corners lie on the same side (a saddle) joins its
// crossings as its centre value, the mean of its corners, says.
std::vector<std::vector<IsoPoint>> IsoLines(const IsoGrid& grid, double level);
