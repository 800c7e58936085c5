#pragma once

#include <array>
#include <cmath>

#include "geometry/MechanismConstants.h"

// The lever's working curve as its three arcs (about the pivot, the corner centre and
// the flank centre), turned about the pivot by the lever angle. A point is named by
// its curve angle t at rest (radians, from +y towards +x, as the start tables count
// it): on the arc that serves t, the point lies at centre + radius (sin t, cos t) at
// rest, and at turned centre + radius (sin(t - a), cos(t - a)) once turned by a.
// The arcs touch from inside, so the curve and its direction run on without a step
// from one arc to the next; its curvature jumps there.
class LeverFace {
 public:
  LeverFace(const MechanismConstants& constants, double leverAngle);

  // The part of the curve the window turns and searches: 25 to 120 degrees.
  double FirstAngle() const { return firstAngle_; }
  double LastAngle() const { return lastAngle_; }
  // Where the pivot arc hands over to the corner arc, and that to the flank arc.
  double CornerStartAngle() const { return arcs_[0].lastAngle; }
  double FlankStartAngle() const { return arcs_[1].lastAngle; }

  // The arc (0: pivot, 1: corner, 2: flank) that serves curve angle t.
  int ArcAt(double t) const;

  // The point at curve angle t on the given arc, also a little beyond the angles the
  // arc serves: derivatives at a hand-over must all come from one arc, since the
  // curve angle runs 20 times faster on the flank arc than on the corner arc.
  template <class Number>
  void PointOnArc(int arcIndex, const Number& t, Number& x, Number& y) const {
    using std::cos;
    using std::sin;
    const Arc& arc = arcs_[arcIndex];
    const Number turned = t - leverAngle_;
    x = arc.centreX + arc.radius * sin(turned);
    y = arc.centreY + arc.radius * cos(turned);
  }

  template <class Number>
  void PointAt(const Number& t, Number& x, Number& y) const {
    PointOnArc(ArcAt(static_cast<double>(t)), t, x, y);
  }

  // The same point with the lever turned by another angle, for derivatives with
  // respect to the lever's turn.
  template <class Number>
  void PointOnArcTurnedBy(int arcIndex, const Number& t, const Number& leverAngle, Number& x,
                          Number& y) const {
    using std::cos;
    using std::sin;
    const Arc& arc = arcs_[arcIndex];
    const Number c = cos(leverAngle);
    const Number s = sin(leverAngle);
    const double dx = arc.restCentreX - pivotX_;
    const double dy = arc.restCentreY - pivotY_;
    const Number turned = t - leverAngle;
    x = pivotX_ + (dx * c - dy * s) + arc.radius * sin(turned);
    y = pivotY_ + (dy * c + dx * s) + arc.radius * cos(turned);
  }

  // The turned centre and the radius of an arc.
  double CentreX(int arcIndex) const { return arcs_[arcIndex].centreX; }
  double CentreY(int arcIndex) const { return arcs_[arcIndex].centreY; }
  double Radius(int arcIndex) const { return arcs_[arcIndex].radius; }
  double LeverAngle() const { return leverAngle_; }

 private:
  struct Arc {
    double centreX;  // turned by the lever angle
    double centreY;
    double radius;
    double lastAngle;  // the arc serves curve angles up to here
    double restCentreX;
    double restCentreY;
  };

  double leverAngle_;
  double pivotX_;
  double pivotY_;
  double firstAngle_;
  double lastAngle_;
  std::array<Arc, 3> arcs_;
};
