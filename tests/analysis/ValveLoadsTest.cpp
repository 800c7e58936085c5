// The loads against identities that do not share their derivation: virtual work
// (statics against kinematics), the balance of every body, a textbook Hertz case.
#include "analysis/ValveLoads.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "analysis/HertzContact.h"
#include "analysis/PitchCurve.h"

namespace {

struct Mode {
  double lever;
  double eccentric;
};
// The window's start, the largest lift (second solver branch), a roller far onto the
// corner arc, and a mode between the bars' whole values.
const Mode kModes[] = {{60, 200}, {0, 700}, {94, 700}, {37.25, 412.5}};

// Relative to the largest torque the force could give about that axis: a torque that
// passes through zero as the force's line sweeps past the axis cannot be computed more
// finely than that.
double Relative(double torque, double expected, double forceN, double armMm) {
  return std::abs(torque - expected) / (std::abs(forceN) * armMm / 1000);
}
double Distance(Point2 a, double x, double y) { return std::hypot(a.x - x, a.y - y); }

TEST(ValveLoads, VirtualWorkGivesEveryShaftTorque) {
  // Massless, frictionless chain: the power the camshaft puts in is the power the
  // valve takes, and a shaft's holding torque is the valve force times the lift's
  // derivative by that shaft's angle (taken here by automatic differentiation through
  // the kinematics, not through the forces).
  LoadParameters parameters;
  parameters.rpm = 4000;  // inertia in the valve force, so it is not just the spring's
  int checked = 0;
  for (const Mode& mode : kModes) {
    const ExactKinematics model(mode.lever, mode.eccentric);
    for (double crank = 0.25; crank < 720; crank += 0.5) {
      const LoadRow row = LoadsAt(model, parameters, crank);
      if (!row.determinate || row.seated) continue;
      const auto slopes = LiftSlopesByShafts(model, crank);
      ASSERT_TRUE(slopes);
      const double camRadPerCrankDeg = std::numbers::pi / 360;
      const double valvePower = row.valveForceN * row.velocityMmPerDeg / 1000;  // N m per crank degree
      SCOPED_TRACE(testing::Message() << mode.lever << ',' << mode.eccentric << " at " << crank);
      const MechanismConstants& k = model.Constants();
      const LoadGeometry& g = row.geometry;
      EXPECT_LT(Relative(row.camshaftTorqueNm, valvePower / camRadPerCrankDeg, row.camContactN,
                         Distance(g.roller, k.camCentreX, k.camCentreY)),
                1e-9);
      EXPECT_LT(Relative(row.greenTorqueNm, row.valveForceN * slopes->greenMmPerRad / 1000,
                         row.leverContactN, Distance(g.roller, k.leverPivotX, k.leverPivotY)),
                1e-9);
      EXPECT_LT(Relative(row.orangeTorqueNm, row.valveForceN * slopes->orangeMmPerRad / 1000,
                         row.linkForceN, Distance(g.eccentric, k.leverPivotX, k.leverPivotY)),
                1e-9);
      ++checked;
    }
  }
  EXPECT_GT(checked, 500);
}

}  // namespace

namespace {

Point2 Plus(Point2 a, Point2 b) { return {a.x + b.x, a.y + b.y}; }
Point2 Times(Point2 a, double s) { return {a.x * s, a.y * s}; }
double CrossOf(Point2 a, Point2 b) { return a.x * b.y - a.y * b.x; }
Point2 Unit(Point2 from, Point2 to) {
  const double d = std::hypot(to.x - from.x, to.y - from.y);
  return {(to.x - from.x) / d, (to.y - from.y) / d};
}

TEST(ValveLoads, EveryBodyIsInBalance) {
  // Each body's forces from the reported magnitudes and the geometry, summed here: the
  // valve (rod, guide, spring and inertia), the second roller (free roller, link,
  // rod), the free roller (cam, lever, second roller), and the three shafts' moments
  // against their torques.
  LoadParameters parameters;
  int checked = 0;
  for (const Mode& mode : kModes) {
    const ExactKinematics model(mode.lever, mode.eccentric);
    const MechanismConstants& k = model.Constants();
    const Point2 cam = {k.camCentreX, k.camCentreY};
    const Point2 pivot = {k.leverPivotX, k.leverPivotY};
    for (double crank = 0.5; crank < 720; crank += 1) {
      const LoadRow r = LoadsAt(model, parameters, crank);
      if (!r.determinate || r.seated) continue;
      const LoadGeometry& g = r.geometry;
      const double scale = std::max({std::abs(r.rodForceN), std::abs(r.camContactN), 1.0}) * 1e-12;
      SCOPED_TRACE(testing::Message() << mode.lever << ',' << mode.eccentric << " at " << crank);

      const Point2 rodOnValve = Times(Unit(g.second, g.valvePin), r.rodForceN);
      EXPECT_NEAR(rodOnValve.x + r.guideForceN, 0, scale);
      EXPECT_NEAR(rodOnValve.y + r.valveForceN, 0, scale);  // the chain pushes the valve down
      EXPECT_DOUBLE_EQ(r.valveForceN, r.springForceN + r.inertiaForceN);

      const Point2 onSecond = Plus(Plus(Times(Unit(g.roller, g.second), r.rollerContactN),
                                        Times(Unit(g.eccentric, g.second), r.linkForceN)),
                                   Times(Unit(g.valvePin, g.second), r.rodForceN));
      EXPECT_NEAR(onSecond.x, 0, scale);
      EXPECT_NEAR(onSecond.y, 0, scale);

      // The cam pushes along the pitch curve's normal: perpendicular to its tangent.
      const Point2 onFree = Plus(Plus(Times(g.camNormal, r.camContactN), Times(g.leverNormal, r.leverContactN)),
                                 Times(Unit(g.second, g.roller), r.rollerContactN));
      EXPECT_NEAR(onFree.x, 0, scale);
      EXPECT_NEAR(onFree.y, 0, scale);

      // Moments about each fixed axis, N m: the camshaft's torque turns the cam the
      // way it turns (clockwise), the green and orange ones the way their bars grow.
      const auto moment = [](Point2 at, Point2 axis, Point2 force) {
        return CrossOf({at.x - axis.x, at.y - axis.y}, force) / 1000;
      };
      EXPECT_NEAR(-r.camshaftTorqueNm + moment(g.roller, cam, Times(g.camNormal, -r.camContactN)), 0, scale);
      EXPECT_NEAR(-r.greenTorqueNm + moment(g.roller, pivot, Times(g.leverNormal, -r.leverContactN)), 0, scale);
      EXPECT_NEAR(r.orangeTorqueNm + moment(g.eccentric, pivot, Times(Unit(g.second, g.eccentric), r.linkForceN)),
                  0, scale);
      ++checked;
    }
  }
  EXPECT_GT(checked, 300);
}

TEST(ValveLoads, PitchNormalIsNormalToThePitchCurve) {
  // The turned pitch curve near the roller, by its rule, against the reported normal.
  const ExactKinematics model(0, 700);
  for (double crank = 1; crank < 720; crank += 7) {
    const LoadRow r = LoadsAt(model, LoadParameters{}, crank);
    if (r.outcome != ExactOutcome::Placed) continue;
    const double camAngle = model.CamAngleRad(crank);
    const double h = 1e-6;
    const auto gap = [&](double x, double y) { return model.GapOfPoint(x, y, camAngle); };
    const Point2 p = r.geometry.roller;
    const Point2 tangent = {r.geometry.camNormal.y, -r.geometry.camNormal.x};
    EXPECT_NEAR(gap(p.x + h * tangent.x, p.y + h * tangent.y) - gap(p.x - h * tangent.x, p.y - h * tangent.y), 0,
                1e-13);
    EXPECT_GT(gap(p.x + h * r.geometry.camNormal.x, p.y + h * r.geometry.camNormal.y), 0);  // outwards
  }
}

TEST(ValveLoads, CamRadiusIsThePitchCurvesCircleLessTheRoller) {
  // The circle through three close points of the pitch curve, from its rule, around the
  // roller's place on the cam: its radius less the roller's is the surface's radius.
  const ExactKinematics model(0, 700);
  const MechanismConstants& k = model.Constants();
  const auto pitchPoint = [&](double rest) {
    const double r = PitchRadiusAt(WindowMechanism()->Lobe(), rest);
    return Point2{r * std::sin(rest), r * std::cos(rest)};
  };
  int checked = 0;
  for (double crank = 3; crank < 720; crank += 11) {
    const LoadRow row = LoadsAt(model, LoadParameters{}, crank);
    if (row.outcome != ExactOutcome::Placed || !row.camRadiusMm) continue;
    const Point2 p = row.geometry.roller;
    const double rest = std::atan2(p.x - k.camCentreX, p.y - k.camCentreY) - model.CamAngleRad(crank);
    const double h = 1e-4;
    const Point2 a = pitchPoint(rest - h);
    const Point2 b = pitchPoint(rest);
    const Point2 c = pitchPoint(rest + h);
    const double ab = std::hypot(a.x - b.x, a.y - b.y);
    const double bc = std::hypot(b.x - c.x, b.y - c.y);
    const double ca = std::hypot(c.x - a.x, c.y - a.y);
    const double twiceArea = CrossOf({b.x - a.x, b.y - a.y}, {c.x - a.x, c.y - a.y});
    const double circumradius = ab * bc * ca / (2 * std::abs(twiceArea));
    // Convex: the points turn clockwise about the cam (angles from +y towards +x).
    const double signedRadius = twiceArea < 0 ? circumradius : -circumradius;
    EXPECT_NEAR(*row.camRadiusMm + 9.5, signedRadius, 1e-4 * std::abs(signedRadius)) << crank;
    ++checked;
  }
  EXPECT_GT(checked, 40);
}

TEST(HertzContact, MatchesTheSteelCylinderHandbookFormulaAndConcaveIsLower) {
  // The handbook form for two steel cylinders (nu = 0.3), in diameters D1, D2 and the
  // load per unit length p: s_c = 0.591 sqrt(p E / K_D), K_D = D1 D2 / (D1 + D2) for two
  // convex cylinders and D1 D2 / (D2 - D1) for a cylinder in a cylindrical seat.
  // Worked example: a 19 mm roller on a 30 mm cylinder, 8 mm wide, 2000 N, E = 207 GPa:
  // p = 250 N/mm, K_D = 11.633 mm, s_c = 0.591 sqrt(250 * 207000 / 11.633) = 1246.5 MPa.
  const double convex = HertzLinePressureMPa(2000, 8, 1 / 9.5, 1 / 15.0, 207, 0.3);
  EXPECT_NEAR(convex, 1246.5, 1.5);
  // The same roller in a 30 mm bore: K_D = 19 * 30 / 11 = 51.818 mm: 590.6 MPa.
  const double concave = HertzLinePressureMPa(2000, 8, 1 / 9.5, -1 / 15.0, 207, 0.3);
  EXPECT_NEAR(concave, 590.6, 1);
  EXPECT_LT(concave, convex);
  EXPECT_EQ(HertzLinePressureMPa(-5, 8, 1 / 9.5, 1 / 15.0, 207, 0.3), 0);  // a pull presses nothing
}

}  // namespace
