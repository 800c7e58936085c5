#include "analysis/ExactKinematics.h"

#include <boost/math/differentiation/autodiff.hpp>
#include <boost/math/tools/toms748_solve.hpp>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "analysis/PitchCurve.h"
#include "animation/Linkage.h"

namespace {

namespace autodiff = boost::math::differentiation;
using Jet = autodiff::autodiff_fvar<double, 3>;    // value and three derivatives
using Slope = autodiff::autodiff_fvar<double, 1>;  // value and first derivative

// The crossing is wanted to 1e-12 mm; a step dt of curve angle moves the point by at
// most the largest arc radius times dt.
constexpr double kRollerTolerance = 1e-12;
constexpr double kLargestArcRadius = 30;
constexpr std::uintmax_t kMaxRootIterations = 200;
// The linkage places the second roller on the pivot to rounding when it rests there.
constexpr double kOnThePivot = 1e-9;

// The window's coarse sector runs from 137.5 to 159.5 degrees of cam direction; its
// fine window reaches a further degree on either side.
constexpr double kSectorFirstDeg = 136.5;
constexpr double kSectorLastDeg = 160.5;

// One simplified Newton step for the crossing's curve angle on series of the given
// order in crank angle, from a series one order lower (or the plain root).
template <std::size_t Order, class Lower>
autodiff::autodiff_fvar<double, Order> NewtonStep(const ExactKinematics& model, int arc, const Lower& t,
                                                  double crankDeg, double gapSlope) {
  using Series = autodiff::autodiff_fvar<double, Order>;
  const Series crank = autodiff::make_fvar<double, Order>(crankDeg);
  const Series camAngle = (crank / 2) * model.Constants().pi / 180;
  const Series start = Series(0) + t;  // t's derivatives, with one more order to fill
  return start - model.RadialGap(arc, start, camAngle) / gapSlope;
}

}  // namespace

ExactKinematics::ExactKinematics(double leverValue, double eccentricValue)
    : constants_(MakeMechanismConstants()),
      face_(constants_, ControlShaftsFor(constants_, leverValue, eccentricValue).leverAngle) {
  const ControlShaftPose shafts = ControlShaftsFor(constants_, leverValue, eccentricValue);
  eccentricX_ = shafts.eccentricX;
  eccentricY_ = shafts.eccentricY;
}

double ExactKinematics::SectorFirst(const MechanismConstants& k) {
  return kSectorFirstDeg * k.pi / 180;
}

double ExactKinematics::SectorLast(const MechanismConstants& k) {
  return kSectorLastDeg * k.pi / 180;
}

double ExactKinematics::CamAngleRad(double crankDeg) const {
  // As the window turns the cam: cam degrees times pi / 180.
  return (crankDeg / 2) * constants_.pi / 180;
}

template <class Number>
Number ExactKinematics::RadialGap(int arc, const Number& t, const Number& camAngleRad) const {
  using std::atan2;
  using std::sqrt;
  Number x;
  Number y;
  face_.PointOnArc(arc, t, x, y);
  const Number dx = x - constants_.camCentreX;
  const Number dy = y - constants_.camCentreY;
  // A pitch point in cam direction a sits at the rest radius of a - cam angle.
  return sqrt(dx * dx + dy * dy) - PitchRadiusAt(constants_, atan2(dx, dy) - camAngleRad);
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
  const auto closeEnough = [](double a, double b) {
    return std::abs(b - a) * kLargestArcRadius <= kRollerTolerance;
  };
  const auto [a, b] = boost::math::tools::toms748_solve(gap, first, last, gapFirst, gapLast,
                                                        closeEnough, iterations);
  const double t = std::abs(gap(a)) <= std::abs(gap(b)) ? a : b;

  double x = 0;
  double y = 0;
  face_.PointAt(t, x, y);
  const double direction = std::atan2(x - constants_.camCentreX, y - constants_.camCentreY);
  if (direction < SectorFirst(constants_) || direction > SectorLast(constants_)) {
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
  const auto placed = PlaceSecondRollerAndValve(eccentricX_, eccentricY_, pose.rollerX, pose.rollerY);
  if (!placed) {
    pose.outcome = ExactOutcome::NoLinkage;
    return pose;
  }
  pose.secondX = placed->secondRoller.X;
  pose.secondY = placed->secondRoller.Y;
  pose.valveY = placed->valveY;
  return pose;
}

ExactSvaj ExactKinematics::SvajAt(double crankDeg) const {
  ExactSvaj svaj;
  const ExactPose pose = PoseAt(crankDeg);
  svaj.outcome = pose.outcome;
  if (pose.outcome != ExactOutcome::Placed) return svaj;
  svaj.lift = -pose.valveY;

  // While the free roller runs on the pivot arc, every point of which is 19 from the
  // pivot, the second roller rests on the pivot itself (20 from the eccentric) and the
  // valve stands still: its derivatives are zero, with no need to compute them.
  const double t = pose.leverCurveAngle;
  const int arc = face_.ArcAt(t);
  if (arc == 0 && std::hypot(pose.secondX - constants_.leverPivotX, pose.secondY - constants_.leverPivotY) <
                      kOnThePivot) {
    return svaj;
  }

  // The crossing's curve angle t(c) as a function of crank angle c, from the gap
  // g(t, c) = 0: simplified Newton steps t -= g(t, c) / (dg/dt at the crossing) on
  // truncated Taylor series in c. Each step makes one more derivative exact, so three
  // steps give t and its first three derivatives (the value itself is already the
  // root); step n needs only n derivatives, which keeps the first steps cheap.
  const double camAngle = CamAngleRad(crankDeg);
  const double gapSlope =
      RadialGap(arc, autodiff::make_fvar<double, 1>(t), Slope(camAngle)).derivative(1);
  if (!(gapSlope != 0) || !std::isfinite(gapSlope)) {
    svaj.outcome = ExactOutcome::NoCrossing;
    return svaj;
  }
  const auto t1 = NewtonStep<1>(*this, arc, t, crankDeg, gapSlope);
  const auto t2 = NewtonStep<2>(*this, arc, t1, crankDeg, gapSlope);
  const Jet t3 = NewtonStep<3>(*this, arc, t2, crankDeg, gapSlope);

  Jet rollerX;
  Jet rollerY;
  face_.PointOnArc(arc, t3, rollerX, rollerY);
  const auto placed = PlaceSecondRollerAndValve(Jet(eccentricX_), Jet(eccentricY_), rollerX, rollerY);
  if (!placed) {
    svaj.outcome = ExactOutcome::NoLinkage;
    return svaj;
  }
  const Jet lift = -placed->valveY;
  svaj.lift = lift.derivative(0);
  svaj.velocity = lift.derivative(1);
  svaj.acceleration = lift.derivative(2);
  svaj.jerk = lift.derivative(3);
  return svaj;
}

template double ExactKinematics::RadialGap<double>(int, const double&, const double&) const;
