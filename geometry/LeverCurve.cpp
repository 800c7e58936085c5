#include "geometry/LeverCurve.h"

#include <algorithm>
#include <numbers>

namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;

// Curve angle, from +y towards +x, of the direction from one point to another.
double DirectionAngle(double fromX, double fromY, double toX, double toY) {
  return std::atan2(toX - fromX, toY - fromY);
}

LeverSegment Arc(double first, double centreX, double centreY, double radius) {
  LeverSegment s;
  s.firstAngle = first;
  s.centreX = centreX;
  s.centreY = centreY;
  s.radius = radius;
  return s;
}

}  // namespace

LeverCurve::LeverCurve(const LeverDesign& design) {
  const std::vector<LeverPiece>& pieces = design.pieces;
  segments_.push_back(Arc(design.startDeg * kRadPerDeg, design.pivot.x, design.pivot.y,
                          pieces.front().radiusMm));
  for (std::size_t k = 1; k < pieces.size(); ++k) {
    const LeverPiece& piece = pieces[k];
    const double join = pieces[k - 1].toDeg * kRadPerDeg;
    const double halfBlend = piece.blendDeg * kRadPerDeg / 2;
    LeverSegment& before = segments_.back();
    if (halfBlend > 0) {
      LeverSegment blend;
      blend.blend = true;
      blend.firstAngle = join - halfBlend;
      blend.lastAngle = join + halfBlend;
      blend.radius = before.radius;
      blend.radiusAfter = piece.radiusMm;
      PointOn(before, blend.firstAngle, blend.startX, blend.startY);
      before.lastAngle = blend.firstAngle;
      segments_.push_back(blend);
      double endX = 0;
      double endY = 0;
      PointOn(blend, blend.lastAngle, endX, endY);
      const double end = blend.lastAngle;
      segments_.push_back(Arc(end, endX - piece.radiusMm * std::sin(end),
                              endY - piece.radiusMm * std::cos(end), piece.radiusMm));
      continue;
    }
    // Two arcs that touch from inside: the next centre lies on the common normal at
    // the join, the difference of the radii away.
    const double shift = before.radius - piece.radiusMm;
    LeverSegment next = Arc(join, before.centreX + shift * std::sin(join),
                            before.centreY + shift * std::cos(join), piece.radiusMm);
    if (piece.centre) {
      next.centreX = piece.centre->x;
      next.centreY = piece.centre->y;
    }
    // They meet on the line through their centres, seen from the larger towards the smaller.
    const bool grows = piece.radiusMm > before.radius;
    const LeverSegment& larger = grows ? next : before;
    const LeverSegment& smaller = grows ? before : next;
    if (shift != 0) {
      next.firstAngle = DirectionAngle(larger.centreX, larger.centreY, smaller.centreX, smaller.centreY);
    }
    before.lastAngle = next.firstAngle;
    segments_.push_back(next);
  }
  segments_.back().lastAngle = pieces.back().toDeg * kRadPerDeg;
}

int LeverCurve::SegmentAt(double t) const {
  int k = 0;
  while (k + 1 < static_cast<int>(segments_.size()) && t >= segments_[k].lastAngle) ++k;
  return k;
}

std::vector<double> LeverCurve::CurvatureJumpAngles() const {
  std::vector<double> angles;
  for (std::size_t k = 1; k < segments_.size(); ++k) {
    const LeverSegment& a = segments_[k - 1];
    const LeverSegment& b = segments_[k];
    if (!a.blend && !b.blend && a.radius != b.radius) angles.push_back(b.firstAngle);
  }
  return angles;
}

double LeverCurve::LargestRadius() const {
  double largest = 0;
  for (const LeverSegment& s : segments_) largest = std::max({largest, s.radius, s.radiusAfter});
  return largest;
}
