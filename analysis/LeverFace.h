#pragma once

#include <cmath>
#include <vector>

#include "geometry/Mechanism.h"

// The lever's working curve, turned about the pivot by the lever angle: the segments
// of the mechanism's lever curve (arcs, and blends between them). A point is named by
// its curve angle t at rest (radians, from +y towards +x, as the start tables count
// it): on an arc it lies at centre + radius (sin t, cos t) at rest, and at turned
// centre + radius (sin(t - a), cos(t - a)) once turned by a. The curve and its
// direction run on without a step from one segment to the next; its curvature jumps
// where two arcs meet without a blend.
class LeverFace {
 public:
  LeverFace(const Mechanism& mechanism, double leverAngle);

  // The part of the curve the window turns and searches (25 to 120 degrees on the
  // window's mechanism).
  double FirstAngle() const { return firstAngle_; }
  double LastAngle() const { return lastAngle_; }
  // Where the pivot arc hands over to the next segment, and that to the one after.
  double CornerStartAngle() const { return JoinAngle(0); }
  double FlankStartAngle() const { return JoinAngle(1); }
  // Where segment k hands over to segment k + 1.
  double JoinAngle(int k) const { return curve_->Segments()[k].lastAngle; }
  int SegmentCount() const { return static_cast<int>(curve_->Segments().size()); }
  bool IsBlend(int k) const { return curve_->Segments()[k].blend; }
  const LeverCurve& Curve() const { return *curve_; }

  // The segment (0: the pivot arc) that serves curve angle t.
  int ArcAt(double t) const { return curve_->SegmentAt(t); }

  // The point at curve angle t on the given segment, also a little beyond the angles
  // it serves: derivatives at a hand-over must all come from one segment, since the
  // curve angle runs 20 times faster on a 30 mm arc than on a 1.5 mm one.
  template <class Number>
  void PointOnArc(int arcIndex, const Number& t, Number& x, Number& y) const {
    const Turned& arc = turned_[arcIndex];
    if (!arc.blend) {
      using std::cos;
      using std::sin;
      const Number turned = t - leverAngle_;
      x = arc.centreX + arc.radius * sin(turned);
      y = arc.centreY + arc.radius * cos(turned);
      return;
    }
    Number restX;
    Number restY;
    curve_->PointOn(curve_->Segments()[arcIndex], t, restX, restY);
    const Number dx = restX - pivotX_;
    const Number dy = restY - pivotY_;
    x = pivotX_ + (dx * cos_ - dy * sin_);
    y = pivotY_ + (dy * cos_ + dx * sin_);
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
    const LeverSegment& segment = curve_->Segments()[arcIndex];
    const Number c = cos(leverAngle);
    const Number s = sin(leverAngle);
    if (!segment.blend) {
      const double dx = segment.centreX - pivotX_;
      const double dy = segment.centreY - pivotY_;
      const Number turned = t - leverAngle;
      x = pivotX_ + (dx * c - dy * s) + segment.radius * sin(turned);
      y = pivotY_ + (dy * c + dx * s) + segment.radius * cos(turned);
      return;
    }
    Number restX;
    Number restY;
    curve_->PointOn(segment, t, restX, restY);
    const Number dx = restX - pivotX_;
    const Number dy = restY - pivotY_;
    x = pivotX_ + (dx * c - dy * s);
    y = pivotY_ + (dy * c + dx * s);
  }

  // The turned centre of curvature and the radius of curvature of a segment at t.
  struct Centre {
    double x;
    double y;
  };
  Centre CentreAt(int arcIndex, double t) const;
  double CentreX(int arcIndex, double t) const { return CentreAt(arcIndex, t).x; }
  double CentreY(int arcIndex, double t) const { return CentreAt(arcIndex, t).y; }
  double Radius(int arcIndex, double t) const {
    return curve_->RadiusOn(curve_->Segments()[arcIndex], t);
  }
  double LeverAngle() const { return leverAngle_; }

 private:
  struct Turned {
    bool blend;
    double centreX;  // an arc's centre, turned by the lever angle
    double centreY;
    double radius;
  };

  const LeverCurve* curve_;
  double leverAngle_;
  double cos_;
  double sin_;
  double pivotX_;
  double pivotY_;
  double firstAngle_;
  double lastAngle_;
  std::vector<Turned> turned_;
};
