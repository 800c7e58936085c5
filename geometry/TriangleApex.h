#pragma once

#include <cmath>
#include <optional>

// The apex of a triangle and the direction of its side from the first vertex.
// Number is double for the window; the exact kinematics also runs the same
// construction on numbers that carry derivatives.
template <class Number>
struct ApexOf {
  Number X = Number(0);
  Number Y = Number(0);
  Number fff = Number(0);  // radians, counter-clockwise from +x, y up
};
using Apex = ApexOf<double>;

// The apex at distance side1 from (x1, y1) and side2 from (x2, y2), on the side
// reached by turning the base direction by +interior angle (turn = +1) or by
// -interior angle (turn = -1). The base direction is the plain arctangent of the
// slope, with no quadrant correction, and the interior angle is the acute one; the
// linkage relies on both. Returns no value where the construction has no solution
// (vertical or zero-length base, sides that cannot close, height not below side1).
// Every decision is taken on the plain values, so a Number with derivatives follows
// the same branch as a double would.
template <class Number>
std::optional<ApexOf<Number>> SolveTriangleApex(const Number& x1, const Number& y1,
                                                const Number& x2, const Number& y2,
                                                double side1, double side2, int turn) {
  using std::atan;
  using std::cos;
  using std::sin;
  using std::sqrt;
  const auto value = [](const Number& n) { return static_cast<double>(n); };
  const bool finiteInputs = std::isfinite(value(x1)) && std::isfinite(value(y1)) &&
                            std::isfinite(value(x2)) && std::isfinite(value(y2)) &&
                            std::isfinite(side1) && std::isfinite(side2);
  // A vertical base has no slope, and coincident vertices have no base at all.
  if (!finiteInputs || value(x2) == value(x1)) return std::nullopt;

  const Number d = sqrt((y2 - y1) * (y2 - y1) + (x2 - x1) * (x2 - x1));
  if (!(std::abs(side1 - side2) <= value(d) && value(d) <= side1 + side2)) return std::nullopt;

  const Number s = (side2 + (side1 + d)) * 0.5;
  const Number heron = (s - side2) * (s - side1) * (s - d) * s;
  // Rounding can push a triangle on the edge of closing just below zero.
  if (!(value(heron) >= 0)) return std::nullopt;
  const Number area = sqrt(heron);
  const Number h = 2 * area / d;
  if (!(value(h) < side1)) return std::nullopt;

  // The plain arctangent of the slope: for x2 < x1 this points away from the second
  // vertex, and the callers rely on exactly that.
  const Number base = atan((y2 - y1) / (x2 - x1));
  // The acute angle whose sine is h / side1, even where the true angle is obtuse.
  const Number interior = atan(h / sqrt(side1 * side1 - h * h));

  ApexOf<Number> apex;
  apex.fff = base + turn * interior;
  apex.X = x1 + side1 * cos(apex.fff);
  apex.Y = y1 + side1 * sin(apex.fff);
  // Inputs near the limits of double precision can still overflow on the way.
  if (!std::isfinite(value(apex.X)) || !std::isfinite(value(apex.Y)) ||
      !std::isfinite(value(apex.fff))) {
    return std::nullopt;
  }
  return apex;
}

// The two mirror-image solutions for plain numbers; the caller keeps its previous
// X, Y, fff where there is none.
std::optional<Apex> TriangleApexPlus(double x1, double y1, double x2, double y2,
                                     double side1, double side2);
std::optional<Apex> TriangleApexMinus(double x1, double y1, double x2, double y2,
                                      double side1, double side2);
