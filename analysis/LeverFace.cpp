#include "analysis/LeverFace.h"

LeverFace::LeverFace(const Mechanism& mechanism, double leverAngle)
    : curve_(&mechanism.Lever()),
      leverAngle_(leverAngle),
      cos_(std::cos(leverAngle)),
      sin_(std::sin(leverAngle)),
      pivotX_(mechanism.Constants().leverPivotX),
      pivotY_(mechanism.Constants().leverPivotY),
      firstAngle_(mechanism.FaceFirstAngle()),
      lastAngle_(mechanism.FaceLastAngle()) {
  for (const LeverSegment& s : curve_->Segments()) {
    const double dx = s.centreX - pivotX_;
    const double dy = s.centreY - pivotY_;
    turned_.push_back({s.blend, pivotX_ + (dx * cos_ - dy * sin_), pivotY_ + (dy * cos_ + dx * sin_),
                       s.radius});
  }
}

LeverFace::Centre LeverFace::CentreAt(int arcIndex, double t) const {
  if (!turned_[arcIndex].blend) return {turned_[arcIndex].centreX, turned_[arcIndex].centreY};
  // A blend's centre of curvature: the radius of curvature back along the normal.
  double x = 0;
  double y = 0;
  PointOnArc(arcIndex, t, x, y);
  const double radius = Radius(arcIndex, t);
  return {x - radius * std::sin(t - leverAngle_), y - radius * std::cos(t - leverAngle_)};
}
