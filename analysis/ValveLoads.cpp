#include "analysis/ValveLoads.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "analysis/ChainFrame.h"
#include "analysis/CrossingSeries.h"
#include "analysis/PlaneVectors.h"
#include "analysis/HertzContact.h"
#include "analysis/InertialChain.h"
#include "analysis/PitchContact.h"
#include "animation/Linkage.h"

namespace {

namespace autodiff = boost::math::differentiation;

constexpr double kGPerKg = 1000;
constexpr double kMmPerM = 1000;
// Slower than this (mm per crank degree) the free roller counts as standing still.
constexpr double kStandingStill = 1e-12;
// A force this share of the largest contact force is zero to rounding.
constexpr double kRoundingShare = 1e-9;


// The shafts' torques from the contact forces through the free roller's centre.
void ShaftTorques(LoadRow& row, const ChainFrame& f, Point2 onEccentric) {
  const LoadGeometry& g = row.geometry;
  const ShaftTorquesNm t = ShaftTorquesOf(f, g.roller, Scaled(g.camNormal, row.camContactN), g.roller,
                                          Scaled(g.leverNormal, row.leverContactN), g.eccentric, onEccentric);
  row.camshaftTorqueNm = t.camshaft;
  row.greenTorqueNm = t.green;
  row.orangeTorqueNm = t.orange;
}

// The massless chain: rod and link are two-force members; each roller is held by
// forces through its centre.
bool MasslessChainLoads(LoadRow& row, Point2 rodDirection, const ChainFrame& frame) {
  const LoadGeometry& g = row.geometry;
  row.rodForceN = row.valveForceN / -rodDirection.y;
  row.guideForceN = -row.rodForceN * rodDirection.x;
  // The second roller: free roller contact and link balance the rod.
  const Point2 linkDirection = Scaled(Minus(g.second, g.eccentric), 1 / frame.linkLength);  // eccentric to second
  if (!Decompose(Scaled(rodDirection, row.rodForceN), Scaled(g.rollerNormal, -1), linkDirection,
                 row.rollerContactN, row.linkForceN)) {
    return false;
  }
  // The free roller: cam and lever balance the second roller.
  if (!Decompose(Scaled(g.rollerNormal, -row.rollerContactN), g.camNormal, g.leverNormal,
                 row.camContactN, row.leverContactN)) {
    return false;
  }
  ShaftTorques(row, frame, Scaled(linkDirection, -row.linkForceN));
  return true;
}

// The chain with its bodies' masses while the valve moves, and the speed at which a
// contact would first have to pull: the springs' part of each force (no motion) stays,
// the inertial rest grows with the speed squared.
bool MovingInertialLoads(LoadRow& row, const LoadParameters& parameters, const BodyMotion& unitMotion,
                         double valveInertiaPerRpm2, const ChainFrame& frame) {
  const auto full = SolveInertialChain(row.geometry, row.motion, parameters.bodies, row.valveForceN,
                                       parameters.returnSpringN, false);
  const auto still = SolveInertialChain(row.geometry, BodyMotion{}, parameters.bodies, row.springForceN,
                                        parameters.returnSpringN, false);
  const auto perRpm2 =
      SolveInertialChain(row.geometry, unitMotion, parameters.bodies, valveInertiaPerRpm2, 0, false);
  if (!full || !still || !perRpm2) return false;
  row.rodForceN = full->rodN;
  row.guideForceN = full->guideN;
  row.rollerContactN = full->rollerN;
  row.linkForceN = full->linkN;
  row.camContactN = full->camN;
  row.leverContactN = full->leverN;
  ShaftTorques(row, frame, full->onEccentric);
  const auto consider = [&](double springPart, double inertialPart, unsigned bit) {
    if (!(inertialPart < 0) || !(springPart > 0)) return;
    const double rpm = std::sqrt(springPart / -inertialPart);
    if (!row.contactLossRpm || rpm < *row.contactLossRpm) {
      row.contactLossRpm = rpm;
      row.contactLossWhich = bit;
    }
  };
  consider(still->camN, perRpm2->camN, kCamContactLost);
  consider(still->leverN, perRpm2->leverN, kLeverContactLost);
  consider(still->rollerN, perRpm2->rollerN, kRollerContactLost);
  consider(row.springForceN, valveInertiaPerRpm2, kValveContactLost);
  return true;
}

// The motion at an engine speed from its values per rpm (velocities) and per rpm
// squared (accelerations).
BodyMotion AtSpeed(const BodyMotion& unit, double rpm) {
  const auto v = [rpm](Point2 p) { return Point2{p.x * rpm, p.y * rpm}; };
  const auto a = [rpm](Point2 p) { return Point2{p.x * rpm * rpm, p.y * rpm * rpm}; };
  return {v(unit.rollerVelocity), a(unit.rollerAcceleration), v(unit.secondVelocity),
          a(unit.secondAcceleration), v(unit.pinVelocity),      a(unit.pinAcceleration)};
}

// While the valve rests only the free roller moves, between cam and lever; the return
// spring it needs there: each newton of it adds a fixed share to each contact's force.
bool SeatedInertialLoads(LoadRow& row, const LoadParameters& parameters, const ChainFrame& frame) {
  const LoadGeometry& g = row.geometry;
  const auto forces =
      SolveInertialChain(g, row.motion, parameters.bodies, 0, parameters.returnSpringN, true);
  double camShare = 0;
  double leverShare = 0;
  if (!forces || !Decompose(Scaled(ReturnSpringDirection(g), -1), g.camNormal, g.leverNormal, camShare,
                            leverShare)) {
    return false;
  }
  row.camContactN = forces->camN;
  row.leverContactN = forces->leverN;
  ShaftTorques(row, frame, {0, 0});
  row.orangeTorqueNm = 0;  // the link carries nothing
  double least = 0;
  double most = std::numeric_limits<double>::infinity();
  for (const auto& [force, share] : {std::pair{forces->camN, camShare}, std::pair{forces->leverN, leverShare}}) {
    const double bound = parameters.returnSpringN - force / share;  // where this contact's force is zero
    if (share > 0) least = std::max(least, bound);
    if (share < 0) most = std::min(most, bound);
    if (share == 0 && force < 0) most = -1;
  }
  if (least <= most) row.returnSpringNeededN = least;
  const double pull = -kRoundingShare * std::max(std::abs(row.camContactN), std::abs(row.leverContactN));
  if (row.camContactN < pull) row.lost |= kCamContactLost;
  if (row.leverContactN < pull) row.lost |= kLeverContactLost;
  return true;
}

}  // namespace

LoadRow LoadsAt(const ExactKinematics& model, const LoadParameters& parameters, double crankDeg,
                int side, std::optional<int> forcedArc, SeatedRows seatedRows) {
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
  const bool inertial = parameters.bodies.Any() || parameters.returnSpringN != 0;
  const bool moving = inertial || parameters.bodyMotion;
  if (seatedRows == SeatedRows::Brief && !inertial && model.ValveSeated(pose, arc)) {
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
  const LeverFace::Centre centre = model.Face().CentreAt(arc, t);
  g.leverArcCentre = {centre.x, centre.y};
  row.seated = model.ValveSeated(pose, arc);
  row.liftMm = model.LiftOf(pose.valveY);

  // The roller's velocity, and for a moving valve its first two derivatives; a seated
  // valve needs only the first order, which is most of the cycle and much cheaper.
  Point2 rollerVelocity;
  // The valve's acceleration is its crank-angle derivative times the speed squared:
  // known per rpm squared even at rest, where it gives the separation speed. So are
  // the bodies' motions: velocities per rpm, accelerations per rpm squared.
  double accelerationPerRpm2 = 0;  // m/s^2 per rpm^2
  constexpr double kCrankDegPerSecondPerRpm = 6;
  const auto perRpm = [](double perDeg) { return perDeg * kCrankDegPerSecondPerRpm / kMmPerM; };
  const auto perRpm2 = [](double perDeg2) {
    return perDeg2 * kCrankDegPerSecondPerRpm * kCrankDegPerSecondPerRpm / kMmPerM;
  };
  BodyMotion unitMotion;
  if (row.seated && moving) {
    const CrankSeries<2> t2 = CurveAngleSeries<2>(model, arc, t, crankDeg, gapSlope);
    CrankSeries<2> x;
    CrankSeries<2> y;
    model.Face().PointOnArc(arc, t2, x, y);
    rollerVelocity = {x.derivative(1), y.derivative(1)};
    unitMotion.rollerVelocity = {perRpm(x.derivative(1)), perRpm(y.derivative(1))};
    unitMotion.rollerAcceleration = {perRpm2(x.derivative(2)), perRpm2(y.derivative(2))};
  }
  // The massless chain's seated rows take the velocity to the first order, as they
  // always have, so that asking for the motion changes no figure.
  if (row.seated && !inertial) {
    const CrankSeries<1> t1 = CurveAngleSeries<1>(model, arc, t, crankDeg, gapSlope);
    CrankSeries<1> x;
    CrankSeries<1> y;
    model.Face().PointOnArc(arc, t1, x, y);
    rollerVelocity = {x.derivative(1), y.derivative(1)};
  } else if (!row.seated) {
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
    accelerationPerRpm2 = perRpm2(-placed->valveY.derivative(2));
    row.accelerationMPerS2 = accelerationPerRpm2 * parameters.rpm * parameters.rpm;
    if (moving) {
      const auto& second = placed->secondRoller;
      unitMotion = {{perRpm(x.derivative(1)), perRpm(y.derivative(1))},
                    {perRpm2(x.derivative(2)), perRpm2(y.derivative(2))},
                    {perRpm(second.X.derivative(1)), perRpm(second.Y.derivative(1))},
                    {perRpm2(second.X.derivative(2)), perRpm2(second.Y.derivative(2))},
                    {0, perRpm(placed->valveY.derivative(1))},
                    {0, perRpm2(placed->valveY.derivative(2))}};
    }
  }

  if (moving) row.motion = AtSpeed(unitMotion, parameters.rpm);

  // The cam's side: normal, curvature, pressure angle.
  const PitchContact pitch = PitchContactAt(mechanism, pose.rollerX, pose.rollerY, camAngle);
  g.camNormal = {pitch.normalX, pitch.normalY};
  row.undercut = IsUndercut(pitch.curvature, freeRadius);
  const double camCurvature = CamSurfaceCurvature(pitch.curvature, freeRadius);
  g.camPitchCurvature = pitch.curvature;
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

  const ChainFrame frame = ChainFrameOf(model);
  const double rollerCurvature = 1 / freeRadius;
  const double leverCurvature = -1 / (model.Face().Radius(arc, t) + freeRadius);  // concave face
  g.leverCurveCurvature = -1 / model.Face().Radius(arc, t);
  const auto hertz = [&](double force, double curvature) {
    return HertzLinePressureMPa(force, parameters.rollerWidthMm, rollerCurvature, curvature,
                                parameters.youngsModulusGPa, parameters.poisson);
  };
  if (row.seated) {
    row.determinate = true;
    row.springForceN = parameters.springPreloadN;
    if (inertial) {
      row.determinate = SeatedInertialLoads(row, parameters, frame);
      if (!row.undercut) row.camHertzMPa = hertz(row.camContactN, camCurvature);
      row.leverHertzMPa = hertz(row.leverContactN, leverCurvature);
    }
    return row;
  }

  // The valve: the rod carries the chain's push, the guide its side component.
  row.springForceN = parameters.springPreloadN + parameters.springRateNPerMm * row.liftMm;
  row.inertiaForceN = parameters.movingMassG / kGPerKg * row.accelerationMPerS2;
  row.valveForceN = row.springForceN + row.inertiaForceN;
  const Point2 rodDirection = Scaled(Minus(g.valvePin, g.second), 1 / linkage.rodLength);  // second to pin
  if (!(rodDirection.y < 0)) return row;
  const double valveInertiaPerRpm2 = parameters.movingMassG / kGPerKg * accelerationPerRpm2;
  const bool solved = inertial ? MovingInertialLoads(row, parameters, unitMotion, valveInertiaPerRpm2, frame)
                               : MasslessChainLoads(row, rodDirection, frame);
  if (!solved) return row;
  row.determinate = true;

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
  if (valveInertiaPerRpm2 < 0) row.separationRpm = std::sqrt(std::max(0.0, row.springForceN) / -valveInertiaPerRpm2);
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
