#pragma once

#include <array>
#include <cmath>
#include <vector>

#include "geometry/Design.h"

// The lever curve at rest as segments: arcs (a constant radius of curvature about a
// centre) and blends (the radius of curvature passing from one arc's to the next's by
// a C2 step in the curve angle, so the curve stays curvature-continuous). A point of
// curve angle t lies, on an arc, at centre + radius (sin t, cos t); along a blend the
// curve follows by integrating its radius of curvature: dP/dt = rho(t) (cos t, -sin t).
struct LeverSegment {
  bool blend = false;
  double firstAngle = 0;  // radians: the curve angles the segment serves
  double lastAngle = 0;
  // An arc's centre and radius; a blend's radii at its ends and its point at firstAngle.
  double centreX = 0;
  double centreY = 0;
  double radius = 0;
  double radiusAfter = 0;  // blends only
  double startX = 0;       // blends only
  double startY = 0;
};

class LeverCurve {
 public:
  // Builds the segments of a lever design; the design must be valid (DesignProblems).
  explicit LeverCurve(const LeverDesign& design);

  const std::vector<LeverSegment>& Segments() const { return segments_; }
  double FirstAngle() const { return segments_.front().firstAngle; }
  double LastAngle() const { return segments_.back().lastAngle; }
  // The segment that serves t: the last one whose first angle is at or below it.
  int SegmentAt(double t) const;
  // Where the curvature jumps: the joins of two arcs without a blend between them.
  std::vector<double> CurvatureJumpAngles() const;
  double LargestRadius() const;

  // The radius of curvature of a segment at curve angle t.
  template <class Number>
  Number RadiusOn(const LeverSegment& s, const Number& t) const {
    if (!s.blend) return Number(s.radius);
    const Number u = (t - s.firstAngle) / (s.lastAngle - s.firstAngle);
    // 10u^3 - 15u^4 + 6u^5: the smallest polynomial step with no slope or curvature
    // at either end, so rho is C2 and the curve G2.
    const Number step = u * u * u * (10.0 + u * (-15.0 + 6.0 * u));
    return s.radius + (s.radiusAfter - s.radius) * step;
  }

  // The point of curve angle t at rest on a segment, also a little beyond its angles.
  template <class Number>
  void PointOn(const LeverSegment& s, const Number& t, Number& x, Number& y) const {
    using std::cos;
    using std::sin;
    if (!s.blend) {
      x = s.centreX + s.radius * sin(t);
      y = s.centreY + s.radius * cos(t);
      return;
    }
    // Gauss-Legendre over [firstAngle, t]: the integrand is a quintic times a sine, so
    // twelve nodes reach rounding on any blend a lever can have.
    const Number half = (t - s.firstAngle) * 0.5;
    Number sx = Number(0);
    Number sy = Number(0);
    for (std::size_t i = 0; i < kNodes.size(); ++i) {
      const Number a = s.firstAngle + half * (1.0 + kNodes[i]);
      const Number rho = RadiusOn(s, a);
      sx += kWeights[i] * rho * cos(a);
      sy -= kWeights[i] * rho * sin(a);
    }
    x = s.startX + half * sx;
    y = s.startY + half * sy;
  }

 private:
  static constexpr std::array<double, 12> kNodes = {
      -0.9815606342467192, -0.9041172563704748, -0.7699026741943047, -0.5873179542866175, -0.3678314989981802, -0.1252334085114689, 0.1252334085114689, 0.3678314989981802, 0.5873179542866175, 0.7699026741943047, 0.9041172563704748, 0.9815606342467192};
  static constexpr std::array<double, 12> kWeights = {
      0.04717533638651202, 0.10693932599531888, 0.1600783285433461, 0.20316742672306565, 0.23349253653835464, 0.2491470458134027, 0.2491470458134027, 0.23349253653835464, 0.20316742672306565, 0.1600783285433461, 0.10693932599531888, 0.04717533638651202};

  std::vector<LeverSegment> segments_;
};
