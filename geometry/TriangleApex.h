#pragma once

#include <optional>

// The apex of a triangle and the direction of its side from the first vertex.
struct Apex {
  double X = 0;
  double Y = 0;
  double fff = 0;  // radians, counter-clockwise from +x, y up
};

// The apex at distance side1 from (x1, y1) and side2 from (x2, y2), on the side
// reached by turning the base direction by +interior angle (Plus) or by -interior
// angle (Minus). The base direction is the plain arctangent of the slope, with no
// quadrant correction, and the interior angle is the acute one; the linkage relies
// on both. Returns no value where the construction has no solution (vertical or
// zero-length base, sides that cannot close, height not below side1); the caller
// then keeps its previous X, Y, fff.
std::optional<Apex> TriangleApexPlus(double x1, double y1, double x2, double y2,
                                     double side1, double side2);
std::optional<Apex> TriangleApexMinus(double x1, double y1, double x2, double y2,
                                      double side1, double side2);
