#include "analysis/ExactKinematics.h"

#include "analysis/Autodiff.h"
#include <boost/math/tools/toms748_solve.hpp>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "analysis/CrossingSeries.h"
#include "analysis/PitchCurve.h"
#include "animation/FrameSchedule.h"
#include "animation/Linkage.h"

namespace {

namespace autodiff = boost::math::differentiation;
using Jet = autodiff::autodiff_fvar<double, 3>;    // value and three derivatives

// The crossing is wanted to 1e-12 mm; a step dt of curve angle moves the point by at
// most the largest arc radius times dt.
constexpr double kRollerTolerance = 1e-12;
constexpr std::uintmax_t kMaxRootIterations = 200;
// The linkage places the second roller on the pivot to rounding when it rests there.
constexpr double kOnThePivot = 1e-9;

}  // namespace

ExactKinematics::ExactKinematics(double leverValue, double eccentricValue)
    : ExactKinematics(WindowMechanism(), leverValue, eccentricValue) {}

ExactKinematics::ExactKinematics(MechanismPtr mechanism, double leverValue, double eccentricValue)
    : mechanism_(std::move(mechanism)),
      leverValue_(leverValue),
      eccentricValue_(eccentricValue),
      face_(*mechanism_, mechanism_->LeverAngleFor(leverValue)) {
  const ControlShaftPose shafts = ControlShaftsFor(*mechanism_, leverValue, eccentricValue);
  eccentricX_ = shafts.eccentricX;
  eccentricY_ = shafts.eccentricY;
}

double ExactKinematics::CamAngleRad(double crankDeg) const {
  return CamRadians(crankDeg / 2, Constants());
}

template <class Number>
Number ExactKinematics::RadialGap(int arc, const Number& t, const Number& camAngleRad) const {
  Number x;
  Number y;
  face_.PointOnArc(arc, t, x, y);
  return GapOfPoint(x, y, camAngleRad);
}

template <class Number>
Number ExactKinematics::GapOfPoint(const Number& x, const Number& y, const Number& camAngleRad) const {
  using std::atan2;
  using std::sqrt;
  const MechanismConstants& k = Constants();
  const Number dx = x - k.camCentreX;
  const Number dy = y - k.camCentreY;
  // A pitch point in cam direction a sits at the rest radius of a - cam angle.
  return sqrt(dx * dx + dy * dy) - PitchRadiusAt(mechanism_->Lobe(), atan2(dx, dy) - camAngleRad);
}

ExactKinematics::Crossing ExactKinematics::FindCrossing(double camAngleRad) const {
  const auto gap = [&](double t) { return RadialGap(t, camAngleRad); };
  const double first = face_.FirstAngle();
  const double last = face_.LastAngle();
  const double gapFirst = gap(first);
  const double gapLast = gap(last);
  // The working curve starts inside the pitch curve and leaves it towards its end.
  if (!(gapFirst < 0 && gapLast > 0)) return {ExactOutcome::NoCrossing, 0};

  std::uintmax_t iterations = kMaxRootIterations;
  const double largestRadius = mechanism_->Lever().LargestRadius();
  const auto closeEnough = [largestRadius](double a, double b) {
    return std::abs(b - a) * largestRadius <= kRollerTolerance;
  };
  const auto [a, b] = boost::math::tools::toms748_solve(gap, first, last, gapFirst, gapLast,
                                                        closeEnough, iterations);
  const double t = std::abs(gap(a)) <= std::abs(gap(b)) ? a : b;

  double x = 0;
  double y = 0;
  face_.PointAt(t, x, y);
  const double direction = std::atan2(x - Constants().camCentreX, y - Constants().camCentreY);
  if (direction < SectorFirst() || direction > SectorLast()) {
    return {ExactOutcome::OutsideSector, t};
  }
  return {ExactOutcome::Placed, t};
}

ExactPose ExactKinematics::PoseAt(double crankDeg) const {
  ExactPose pose;
  const Crossing crossing = FindCrossing(CamAngleRad(crankDeg));
  pose.outcome = crossing.outcome;
  if (crossing.outcome != ExactOutcome::Placed) return pose;

  pose.leverCurveAngle = crossing.t;
  face_.PointAt(crossing.t, pose.rollerX, pose.rollerY);
  const auto placed = PlaceSecondRollerAndValve(mechanism_->Linkage(), eccentricX_, eccentricY_, pose.rollerX, pose.rollerY);
  if (!placed) {
    pose.outcome = ExactOutcome::NoLinkage;
    return pose;
  }
  pose.secondX = placed->secondRoller.X;
  pose.secondY = placed->secondRoller.Y;
  pose.valveY = placed->valveY;
  return pose;
}

bool ExactKinematics::ValveSeated(const ExactPose& pose, int arc) const {
  return pose.outcome == ExactOutcome::Placed && arc == 0 &&
         std::hypot(pose.secondX - Constants().leverPivotX, pose.secondY - Constants().leverPivotY) <
             kOnThePivot;
}

ExactSvaj ExactKinematics::SvajAt(double crankDeg, std::optional<int> forcedArc) const {
  ExactSvaj svaj;
  const ExactPose pose = PoseAt(crankDeg);
  svaj.outcome = pose.outcome;
  if (pose.outcome != ExactOutcome::Placed) return svaj;
  svaj.lift = LiftOf(pose.valveY);

  // A seated valve's derivatives are zero, with no need to compute them.
  const double t = pose.leverCurveAngle;
  const int arc = forcedArc.value_or(face_.ArcAt(t));
  if (ValveSeated(pose, arc)) return svaj;

  // The crossing's curve angle and its first three derivatives by crank angle.
  const double gapSlope = GapSlopeAt(*this, arc, t, CamAngleRad(crankDeg));
  if (!(gapSlope != 0) || !std::isfinite(gapSlope)) {
    svaj.outcome = ExactOutcome::NoCrossing;
    return svaj;
  }
  const Jet t3 = CurveAngleSeries<3>(*this, arc, t, crankDeg, gapSlope);

  Jet rollerX;
  Jet rollerY;
  face_.PointOnArc(arc, t3, rollerX, rollerY);
  const auto placed = PlaceSecondRollerAndValve(mechanism_->Linkage(), Jet(eccentricX_), Jet(eccentricY_), rollerX, rollerY);
  if (!placed) {
    svaj.outcome = ExactOutcome::NoLinkage;
    return svaj;
  }
  const Jet lift = LiftOf(placed->valveY);
  svaj.lift = lift.derivative(0);
  svaj.velocity = lift.derivative(1);
  svaj.acceleration = lift.derivative(2);
  svaj.jerk = lift.derivative(3);
  return svaj;
}

// The gap on plain numbers and on series up to the third order, for the other analyses.
#define TORLIN_GAP_INSTANCES(Number)                                                       \
  template Number ExactKinematics::RadialGap<Number>(int, const Number&, const Number&) const; \
  template Number ExactKinematics::GapOfPoint<Number>(const Number&, const Number&,          \
                                                      const Number&) const;
TORLIN_GAP_INSTANCES(double)
TORLIN_GAP_INSTANCES(CrankSeries<1>)
TORLIN_GAP_INSTANCES(CrankSeries<2>)
TORLIN_GAP_INSTANCES(CrankSeries<3>)
#undef TORLIN_GAP_INSTANCES
