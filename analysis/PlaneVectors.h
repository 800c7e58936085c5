#pragma once

#include <cmath>

#include "analysis/ValveLoads.h"

// Plane vector arithmetic for the force balances.
inline double Cross(Point2 a, Point2 b) { return a.x * b.y - a.y * b.x; }
inline Point2 Plus(Point2 a, Point2 b) { return {a.x + b.x, a.y + b.y}; }
inline Point2 Minus(Point2 a, Point2 b) { return {a.x - b.x, a.y - b.y}; }
inline Point2 Scaled(Point2 a, double s) { return {a.x * s, a.y * s}; }

// a and b with p = a * first + b * second; false where first and second are parallel.
inline bool Decompose(Point2 p, Point2 first, Point2 second, double& a, double& b) {
  const double det = Cross(first, second);
  if (!(std::abs(det) > 1e-12)) return false;
  a = Cross(p, second) / det;
  b = Cross(first, p) / det;
  return std::isfinite(a) && std::isfinite(b);
}
