#include "analysis/ValveLoads.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/CrossingSeries.h"
#include "analysis/HertzContact.h"
#include "analysis/PitchContact.h"
#include "animation/Linkage.h"

namespace {

namespace autodiff = boost::math::differentiation;

constexpr double kNmmPerNm = 1000;
constexpr double kGPerKg = 1000;
constexpr double kMmPerM = 1000;
// Slower than this (mm per crank degree) the free roller counts as standing still.
constexpr double kStandingStill = 1e-12;
// A force this share of the largest contact force is zero to rounding.
constexpr double kRoundingShare = 1e-9;

double Cross(Point2 a, Point2 b) { return a.x * b.y - a.y * b.x; }
Point2 Minus(Point2 a, Point2 b) { return {a.x - b.x, a.y - b.y}; }
Point2 Scaled(Point2 a, double s) { return {a.x * s, a.y * s}; }

// a and b with p = a * first + b * second; false where first and second are parallel.
bool Decompose(Point2 p, Point2 first, Point2 second, double& a, double& b) {
  const double det = Cross(first, second);
  if (!(std::abs(det) > 1e-12)) return false;
  a = Cross(p, second) / det;
  b = Cross(first, p) / det;
  return std::isfinite(a) && std::isfinite(b);
}

}  // namespace

LoadRow LoadsAt(const ExactKinematics& model, const LoadParameters& parameters, double crankDeg,
                int side, std::optional<int> forcedArc, SeatedRows seatedRows) {
  const MechanismConstants& k = model.Constants();
  const Mechanism& mechanism = model.GetMechanism();
  const LinkageDimensions& linkage = mechanism.Linkage();
  const double freeRadius = mechanism.GetDesign().freeRollerRadiusMm;
  const double secondRadius = mechanism.GetDesign().secondRollerRadiusMm;
  LoadRow row;
  row.crankDeg = crankDeg;
  row.side = side;
  const ExactPose pose = model.PoseAt(crankDeg);
  row.outcome = pose.outcome;
  if (pose.outcome != ExactOutcome::Placed) return row;

  const double camAngle = model.CamAngleRad(crankDeg);
  const double t = pose.leverCurveAngle;
  const int arc = forcedArc.value_or(model.Face().ArcAt(t));
  if (seatedRows == SeatedRows::Brief && model.ValveSeated(pose, arc)) {
    row.seated = true;
    row.determinate = true;
    row.liftMm = model.LiftOf(pose.valveY);
    row.springForceN = parameters.springPreloadN;
    return row;
  }
  const double gapSlope = GapSlopeAt(model, arc, t, camAngle);
  if (!(gapSlope != 0) || !std::isfinite(gapSlope)) return row;

  LoadGeometry& g = row.geometry;
  g.roller = {pose.rollerX, pose.rollerY};
  g.second = {pose.secondX, pose.secondY};
  g.eccentric = {model.EccentricX(), model.EccentricY()};
  g.valvePin = {linkage.valveAxisX, pose.valveY};
  g.leverArcCentre = {model.Face().CentreX(arc, t), model.Face().CentreY(arc, t)};
  row.seated = model.ValveSeated(pose, arc);
  row.liftMm = model.LiftOf(pose.valveY);

  // The roller's velocity, and for a moving valve its first two derivatives; a seated
  // valve needs only the first order, which is most of the cycle and much cheaper.
  Point2 rollerVelocity;
  // The valve's acceleration is its crank-angle derivative times the speed squared:
  // known per rpm squared even at rest, where it gives the separation speed.
  double accelerationPerRpm2 = 0;  // m/s^2 per rpm^2
  if (row.seated) {
    const CrankSeries<1> t1 = CurveAngleSeries<1>(model, arc, t, crankDeg, gapSlope);
    CrankSeries<1> x;
    CrankSeries<1> y;
    model.Face().PointOnArc(arc, t1, x, y);
    rollerVelocity = {x.derivative(1), y.derivative(1)};
  } else {
    const CrankSeries<2> t2 = CurveAngleSeries<2>(model, arc, t, crankDeg, gapSlope);
    CrankSeries<2> x;
    CrankSeries<2> y;
    model.Face().PointOnArc(arc, t2, x, y);
    const auto placed = PlaceSecondRollerAndValve(linkage, CrankSeries<2>(model.EccentricX()),
                                                  CrankSeries<2>(model.EccentricY()), x, y);
    if (!placed) {
      row.outcome = ExactOutcome::NoLinkage;
      return row;
    }
    rollerVelocity = {x.derivative(1), y.derivative(1)};
    row.velocityMmPerDeg = -placed->valveY.derivative(1);
    constexpr double kCrankDegPerSecondPerRpm = 6;
    accelerationPerRpm2 = -placed->valveY.derivative(2) * kCrankDegPerSecondPerRpm * kCrankDegPerSecondPerRpm / kMmPerM;
    row.accelerationMPerS2 = accelerationPerRpm2 * parameters.rpm * parameters.rpm;
  }

  // The cam's side: normal, curvature, pressure angle.
  const PitchContact pitch = PitchContactAt(mechanism, pose.rollerX, pose.rollerY, camAngle);
  g.camNormal = {pitch.normalX, pitch.normalY};
  row.undercut = IsUndercut(pitch.curvature, freeRadius);
  const double camCurvature = CamSurfaceCurvature(pitch.curvature, freeRadius);
  if (camCurvature != 0 && !row.undercut) row.camRadiusMm = 1 / camCurvature;
  const double speed = std::hypot(rollerVelocity.x, rollerVelocity.y);
  if (speed > kStandingStill) {
    const double along = std::abs(g.camNormal.x * rollerVelocity.x + g.camNormal.y * rollerVelocity.y) / speed;
    row.pressureAngleDeg = std::acos(std::min(1.0, along)) * 180 / std::numbers::pi;
  }
  // The lever pushes the roller towards the centre of its arc (its working face lies
  // outside the roller's path); the second roller pushes it along their centres.
  const double toCentre = std::hypot(g.leverArcCentre.x - g.roller.x, g.leverArcCentre.y - g.roller.y);
  g.leverNormal = Scaled(Minus(g.leverArcCentre, g.roller), 1 / toCentre);
  g.rollerNormal = Scaled(Minus(g.roller, g.second), 1 / linkage.rollerSpacing);

  if (row.seated) {
    row.determinate = true;
    row.springForceN = parameters.springPreloadN;
    return row;
  }

  // The valve: the rod carries the chain's push, the guide its side component.
  row.springForceN = parameters.springPreloadN + parameters.springRateNPerMm * row.liftMm;
  row.inertiaForceN = parameters.movingMassG / kGPerKg * row.accelerationMPerS2;
  row.valveForceN = row.springForceN + row.inertiaForceN;
  const Point2 rodDirection = Scaled(Minus(g.valvePin, g.second), 1 / linkage.rodLength);  // second to pin
  if (!(rodDirection.y < 0)) return row;
  row.rodForceN = row.valveForceN / -rodDirection.y;
  row.guideForceN = -row.rodForceN * rodDirection.x;

  // The second roller: free roller contact and link balance the rod.
  const Point2 linkDirection = Scaled(Minus(g.second, g.eccentric), 1 / linkage.linkLength);  // eccentric to second
  if (!Decompose(Scaled(rodDirection, row.rodForceN), Scaled(g.rollerNormal, -1), linkDirection,
                 row.rollerContactN, row.linkForceN)) {
    return row;
  }
  // The free roller: cam and lever balance the second roller.
  if (!Decompose(Scaled(g.rollerNormal, -row.rollerContactN), g.camNormal, g.leverNormal,
                 row.camContactN, row.leverContactN)) {
    return row;
  }
  row.determinate = true;

  // Torques the shafts exert to hold their bodies against the contact and link forces:
  // the camshaft turning the way the cam turns (clockwise, y up), the lever shaft the
  // way its bar grows (clockwise), the eccentric shaft the way its bar grows
  // (counter-clockwise).
  const Point2 camCentre = {k.camCentreX, k.camCentreY};
  const Point2 pivot = {k.leverPivotX, k.leverPivotY};
  row.camshaftTorqueNm = Cross(Minus(g.roller, camCentre), Scaled(g.camNormal, -row.camContactN)) / kNmmPerNm;
  // Clockwise and counter-clockwise as each bar grows, by the sign of its gearing.
  const double greenSense = mechanism.GetDesign().leverShaft.radPerBar < 0 ? 1 : -1;
  const double orangeSense = mechanism.GetDesign().eccentricShaft.degPerBar > 0 ? 1 : -1;
  row.greenTorqueNm = greenSense * Cross(Minus(g.roller, pivot), Scaled(g.leverNormal, -row.leverContactN)) / kNmmPerNm;
  row.orangeTorqueNm = orangeSense * Cross(Minus(g.eccentric, pivot), Scaled(linkDirection, row.linkForceN)) / kNmmPerNm;

  const double rollerCurvature = 1 / freeRadius;
  const double leverCurvature = -1 / (model.Face().Radius(arc, t) + freeRadius);  // concave face
  const auto hertz = [&](double force, double curvature) {
    return HertzLinePressureMPa(force, parameters.rollerWidthMm, rollerCurvature, curvature,
                                parameters.youngsModulusGPa, parameters.poisson);
  };
  if (!row.undercut) row.camHertzMPa = hertz(row.camContactN, camCurvature);
  row.leverHertzMPa = hertz(row.leverContactN, leverCurvature);
  row.rollerHertzMPa = hertz(row.rollerContactN, 1 / secondRadius);

  // A separated valve pulls on every contact; that is said once, by separated.
  row.separated = row.valveForceN < 0;
  // Where the valve lifts off its seat the cam's force rises from exactly zero, which
  // rounding may put a hair below.
  const double pull = -kRoundingShare * std::max({std::abs(row.camContactN), std::abs(row.leverContactN),
                                                  std::abs(row.rollerContactN)});
  if (!row.separated) {
    if (row.camContactN < pull) row.lost |= kCamContactLost;
    if (row.leverContactN < pull) row.lost |= kLeverContactLost;
    if (row.rollerContactN < pull) row.lost |= kRollerContactLost;
  }
  // Spring + m a k rpm^2 = 0, a's factor k known from one speed.
  const double inertiaPerRpm2 = parameters.movingMassG / kGPerKg * accelerationPerRpm2;
  if (inertiaPerRpm2 < 0) row.separationRpm = std::sqrt(std::max(0.0, row.springForceN) / -inertiaPerRpm2);
  return row;
}

std::optional<ShaftLiftSlopes> LiftSlopesByShafts(const ExactKinematics& model, double crankDeg) {
  const ExactPose pose = model.PoseAt(crankDeg);
  if (pose.outcome != ExactOutcome::Placed) return std::nullopt;
  const MechanismConstants& k = model.Constants();
  const double camAngle = model.CamAngleRad(crankDeg);
  const double t = pose.leverCurveAngle;
  const int arc = model.Face().ArcAt(t);
  const double gapSlope = GapSlopeAt(model, arc, t, camAngle);
  using Slope = CrankSeries<1>;
  ShaftLiftSlopes slopes;

  // Green: the lever turns by the gearing's angle; in the bar's sense that angle
  // grows with the value. The crossing moves with it: one Newton step on the series.
  const Mechanism& mechanism = model.GetMechanism();
  const LinkageDimensions& linkage = mechanism.Linkage();
  {
    const bool turnsBack = mechanism.GetDesign().leverShaft.radPerBar < 0;
    const double angle = mechanism.LeverAngleFor(model.LeverValue());
    const Slope green = autodiff::make_fvar<double, 1>(turnsBack ? -angle : angle);
    const Slope leverAngle = turnsBack ? -green : green;
    Slope x;
    Slope y;
    model.Face().PointOnArcTurnedBy(arc, Slope(t), leverAngle, x, y);
    const Slope moved = t - model.GapOfPoint(x, y, Slope(camAngle)) / gapSlope;
    model.Face().PointOnArcTurnedBy(arc, moved, leverAngle, x, y);
    const auto placed = PlaceSecondRollerAndValve(linkage, Slope(model.EccentricX()), Slope(model.EccentricY()), x, y);
    if (!placed) return std::nullopt;
    slopes.greenMmPerRad = -placed->valveY.derivative(1);
  }
  // Orange: the eccentric centre turns about the pivot, the roller stays.
  {
    const bool turnsBack = mechanism.GetDesign().eccentricShaft.degPerBar < 0;
    const double angle = mechanism.EccentricDegFor(model.EccentricValue()) * k.pi / 180;
    const Slope orange = autodiff::make_fvar<double, 1>(turnsBack ? -angle : angle);
    const Slope turned = turnsBack ? -orange : orange;
    using std::cos;
    using std::sin;
    const Slope ex = k.leverPivotX + linkage.eccentricRadius * sin(turned);
    const Slope ey = k.leverPivotY - linkage.eccentricRadius * cos(turned);
    const auto placed = PlaceSecondRollerAndValve(linkage, ex, ey, Slope(pose.rollerX), Slope(pose.rollerY));
    if (!placed) return std::nullopt;
    slopes.orangeMmPerRad = -placed->valveY.derivative(1);
  }
  return slopes;
}
