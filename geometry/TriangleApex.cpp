#include "geometry/TriangleApex.h"

std::optional<Apex> TriangleApexPlus(double x1, double y1, double x2, double y2, double side1,
                                     double side2) {
  return SolveTriangleApex(x1, y1, x2, y2, side1, side2, +1);
}

std::optional<Apex> TriangleApexMinus(double x1, double y1, double x2, double y2, double side1,
                                      double side2) {
  return SolveTriangleApex(x1, y1, x2, y2, side1, side2, -1);
}
