#include "geometry/TriangleApex.h"

#include <cmath>

namespace {

// Both apexes share everything but the sign of the interior angle (turn = +1 or -1).
std::optional<Apex> SolveApex(double x1, double y1, double x2, double y2, double side1,
                              double side2, int turn) {
  const bool finiteInputs = std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) &&
                            std::isfinite(y2) && std::isfinite(side1) && std::isfinite(side2);
  // A vertical base has no slope, and coincident vertices have no base at all.
  if (!finiteInputs || x2 == x1) return std::nullopt;

  const double d = std::sqrt((y2 - y1) * (y2 - y1) + (x2 - x1) * (x2 - x1));
  if (!(std::abs(side1 - side2) <= d && d <= side1 + side2)) return std::nullopt;

  const double s = (side2 + (side1 + d)) * 0.5;
  const double heron = (s - side2) * (s - side1) * (s - d) * s;
  // Rounding can push a triangle on the edge of closing just below zero.
  if (!(heron >= 0)) return std::nullopt;
  const double area = std::sqrt(heron);
  const double h = 2 * area / d;
  if (!(h < side1)) return std::nullopt;

  // The plain arctangent of the slope: for x2 < x1 this points away from the second
  // vertex, and the callers rely on exactly that.
  const double base = std::atan((y2 - y1) / (x2 - x1));
  // The acute angle whose sine is h / side1, even where the true angle is obtuse.
  const double interior = std::atan(h / std::sqrt(side1 * side1 - h * h));

  Apex apex;
  apex.fff = base + turn * interior;
  apex.X = x1 + side1 * std::cos(apex.fff);
  apex.Y = y1 + side1 * std::sin(apex.fff);
  // Inputs near the limits of double precision can still overflow on the way.
  if (!std::isfinite(apex.X) || !std::isfinite(apex.Y) || !std::isfinite(apex.fff)) {
    return std::nullopt;
  }
  return apex;
}

}  // namespace

std::optional<Apex> TriangleApexPlus(double x1, double y1, double x2, double y2, double side1,
                                     double side2) {
  return SolveApex(x1, y1, x2, y2, side1, side2, +1);
}

std::optional<Apex> TriangleApexMinus(double x1, double y1, double x2, double y2, double side1,
                                      double side2) {
  return SolveApex(x1, y1, x2, y2, side1, side2, -1);
}
