#include "analysis/LeverFace.h"

#include "animation/LeverTurning.h"
#include "geometry/ProfileTables.h"

namespace {

// Curve angle, from +y towards +x, of the direction from one point to another.
double DirectionAngle(double fromX, double fromY, double toX, double toY) {
  return std::atan2(toX - fromX, toY - fromY);
}

}  // namespace

LeverFace::LeverFace(const MechanismConstants& k, double leverAngle)
    : leverAngle_(leverAngle), pivotX_(k.leverPivotX), pivotY_(k.leverPivotY) {
  // The table holds 30 entries per degree; the window turns entries 750..3600.
  firstAngle_ = kLeverTurnedFirst * k.pi / 5400;
  lastAngle_ = kLeverLast * k.pi / 5400;

  const double c = std::cos(leverAngle);
  const double s = std::sin(leverAngle);
  const auto turnedCentre = [&](double x, double y, double radius, double lastAngle) {
    const double dx = x - k.leverPivotX;
    const double dy = y - k.leverPivotY;
    return Arc{k.leverPivotX + (dx * c - dy * s), k.leverPivotY + (dy * c + dx * s), radius,
               lastAngle, x, y};
  };
  // Two arcs that touch from inside meet on the line through their centres.
  const double cornerStart =
      DirectionAngle(k.leverPivotX, k.leverPivotY, k.cornerCentreX, k.cornerCentreY);
  const double flankStart =
      DirectionAngle(k.flankCentreX, k.flankCentreY, k.cornerCentreX, k.cornerCentreY);
  arcs_ = {
      turnedCentre(k.leverPivotX, k.leverPivotY, k.pivotArcRadius, cornerStart),
      turnedCentre(k.cornerCentreX, k.cornerCentreY, k.cornerArcRadius, flankStart),
      turnedCentre(k.flankCentreX, k.flankCentreY, k.flankArcRadius, lastAngle_),
  };
}

int LeverFace::ArcAt(double t) const {
  if (t < arcs_[0].lastAngle) return 0;
  if (t < arcs_[1].lastAngle) return 1;
  return 2;
}
