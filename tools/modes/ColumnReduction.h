#pragma once

#include <QPointF>
#include <vector>

// A curve reduced to what a picture can show of it: the x range xLow..xHigh cut into
// `columns` equal slices (a few per pixel column), and of the points in each slice
// only the first, the last, the lowest and the highest, in x order. Drawn as a line,
// the reduced curve covers the same pixels, every peak and jump included, however
// many points the curve had. The points must be in x order; points outside the range
// are reduced the same way, in slices of the same width.
std::vector<QPointF> ReducedToColumns(const std::vector<QPointF>& points, double xLow, double xHigh, int columns);

// Slices across a picture's plot area: one for each of the picture's 1200 pixel
// columns, so a slice is narrower than a pixel of the plot.
inline constexpr int kPictureColumns = 1200;
