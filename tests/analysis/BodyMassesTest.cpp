// The loads with every body's mass against identities that do not share their
// derivation: the power balance (forces against the kinematics' energy), the massless
// chain as the limit, an independent review's contact-loss speeds, and the return
// spring that holds the seated phase.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/BodyMasses.h"
#include "analysis/FrictionCycle.h"
#include "analysis/SvajSeries.h"
#include "analysis/ValveLoads.h"

namespace {

double Cross(Point2 a, Point2 b) { return a.x * b.y - a.y * b.x; }
double Dot(Point2 a, Point2 b) { return a.x * b.x + a.y * b.y; }
Point2 Minus(Point2 a, Point2 b) { return {a.x - b.x, a.y - b.y}; }
Point2 Metres(Point2 mm) { return {mm.x / 1000, mm.y / 1000}; }

LoadParameters WithBodies(double rpm) {
  LoadParameters parameters;
  parameters.rpm = rpm;
  parameters.bodies = SteelBodyMasses(9.5, parameters.rollerWidthMm);
  return parameters;
}

// The rate of change of the kinetic energy of the free roller's and the joint's
// translation, the rod, the link and the valve, and the spring's power, with the sum
// of their sizes: the scale of a row's power.
struct PowerTerms {
  double sum = 0;
  double size = 0;
};
PowerTerms BodiesAndSpring(const LoadRow& row, const LoadParameters& parameters) {
  const BodyMasses& m = parameters.bodies;
  const BodyMotion& v = row.motion;
  const LoadGeometry& g = row.geometry;
  const Point2 d = Metres(Minus(g.second, g.valvePin));  // the rod
  const Point2 r = Metres(Minus(g.second, g.eccentric));  // the link
  const double rodOmega = Cross(d, Minus(v.secondVelocity, v.pinVelocity)) / Dot(d, d);
  const double rodAlpha = Cross(d, Minus(v.secondAcceleration, v.pinAcceleration)) / Dot(d, d);
  const double linkOmega = Cross(r, v.secondVelocity) / Dot(r, r);
  const double linkAlpha = Cross(r, v.secondAcceleration) / Dot(r, r);
  const Point2 rodCentreV = {(v.secondVelocity.x + v.pinVelocity.x) / 2, (v.secondVelocity.y + v.pinVelocity.y) / 2};
  const Point2 rodCentreA = {(v.secondAcceleration.x + v.pinAcceleration.x) / 2,
                             (v.secondAcceleration.y + v.pinAcceleration.y) / 2};
  const double terms[] = {
      m.freeRollerG / 1000 * Dot(v.rollerVelocity, v.rollerAcceleration),
      m.secondRollerG / 1000 * Dot(v.secondVelocity, v.secondAcceleration),
      m.rodG / 1000 * (Dot(rodCentreV, rodCentreA) + Dot(d, d) / 12 * rodOmega * rodAlpha),
      m.linkG / 1000 * Dot(r, r) / 3 * linkOmega * linkAlpha,
      parameters.movingMassG / 1000 * Dot(v.pinVelocity, v.pinAcceleration),
      row.springForceN * -v.pinVelocity.y,  // the spring resists the opening
  };
  PowerTerms p;
  for (const double term : terms) {
    p.sum += term;
    p.size += std::abs(term);
  }
  return p;
}

double CamRadPerS(const LoadParameters& parameters) { return 6 * parameters.rpm / 2 * std::numbers::pi / 180; }

TEST(BodyMasses, CamshaftPowerIsTheBodiesEnergyRateAndTheSprings) {
  // Frictionless, the camshaft's power goes into the kinetic energy of the free roller,
  // the joint, the rod, the link and the valve, and into the spring.
  const LoadParameters parameters = WithBodies(6000);
  int checked = 0;
  for (const auto& [lever, eccentric] : {std::pair{60.0, 200.0}, std::pair{0.0, 700.0}, std::pair{71.0, 700.0}}) {
    const ExactKinematics model(lever, eccentric);
    for (double crank = 0.25; crank < 720; crank += 0.5) {
      const LoadRow row = LoadsAt(model, parameters, crank);
      if (!row.determinate) continue;
      const PowerTerms terms = BodiesAndSpring(row, parameters);
      const double camPower = row.camshaftTorqueNm * CamRadPerS(parameters);
      SCOPED_TRACE(testing::Message() << lever << ',' << eccentric << " at " << crank);
      EXPECT_LE(std::abs(camPower - terms.sum), 1e-9 * std::max(terms.size, 1.0));
      ++checked;
    }
  }
  EXPECT_GT(checked, 4000);
}

TEST(BodyMasses, WithFrictionTheCamshaftAlsoPaysTheSpinsAndTheHeat) {
  // With friction at the free roller's contacts the camshaft's power also turns the
  // rollers' spins (I w dw/dt, the spin's torque times its speed) and what friction turns
  // into heat, at every angle: massless rollers (which spin without net torque) and
  // steel ones (whose spin lags).
  FrictionParameters friction;
  int checked = 0;
  for (const bool heavy : {false, true}) {
    LoadParameters parameters = WithBodies(6000);
    if (!heavy) parameters.bodies = {};
    for (const auto& [lever, eccentric] : {std::pair{60.0, 200.0}, std::pair{0.0, 700.0}, std::pair{71.0, 700.0}}) {
      const ExactKinematics model(lever, eccentric);
      const FrictionCycle cycle = FrictionCycleAt(model, parameters, friction, CrankPlaces(model, CrankAngles(0.5)));
      for (const FrictionalLoadRow& r : cycle.rows) {
        if (!r.loads.determinate || !r.friction.evaluated) continue;
        const PowerTerms terms = BodiesAndSpring(r.loads, parameters);
        const Spins& w = r.friction.spins;
        const SpinTorques& t = r.friction.spinTorques;
        const double spins = w.freeRadPerS * t.freeNm + w.secondRadPerS * t.secondNm;
        const double camPower = r.loads.camshaftTorqueNm * CamRadPerS(parameters);
        const double size = terms.size + std::abs(spins) + r.friction.powerW;
        SCOPED_TRACE(testing::Message() << lever << ',' << eccentric << (heavy ? " heavy" : "") << " at "
                                        << r.loads.crankDeg);
        EXPECT_LE(std::abs(camPower - terms.sum - spins - r.friction.powerW), 1e-9 * std::max(size, 1.0));
        EXPECT_GE(r.friction.powerW, 0);
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 8000);
}

TEST(BodyMasses, TinyMassesGiveTheMasslessChain) {
  LoadParameters massless;
  LoadParameters tiny;
  tiny.bodies = {1e-9, 1e-9, 1e-9, 1e-9};
  const ExactKinematics model(60, 200);
  for (double crank = 0.5; crank < 720; crank += 3) {
    const LoadRow a = LoadsAt(model, massless, crank);
    const LoadRow b = LoadsAt(model, tiny, crank);
    ASSERT_EQ(a.determinate, b.determinate);
    if (!a.determinate || a.seated) continue;
    const double scale = 1e-6 * std::max(1.0, std::abs(a.camContactN));
    EXPECT_NEAR(a.camContactN, b.camContactN, scale) << crank;
    EXPECT_NEAR(a.leverContactN, b.leverContactN, scale);
    EXPECT_NEAR(a.rollerContactN, b.rollerContactN, scale);
    EXPECT_NEAR(a.linkForceN, b.linkForceN, scale);
    EXPECT_NEAR(a.rodForceN, b.rodForceN, scale);
    EXPECT_NEAR(a.guideForceN, b.guideForceN, scale);
    EXPECT_NEAR(a.camshaftTorqueNm, b.camshaftTorqueNm, scale);
    EXPECT_NEAR(a.greenTorqueNm, b.greenTorqueNm, scale);
    EXPECT_NEAR(a.orangeTorqueNm, b.orangeTorqueNm, scale);
  }
}

struct FirstLoss {
  double rpm = 1e300;
  unsigned which = 0;
  double crankDeg = 0;
};
// Where the valve is carried: at its very lift-off the free roller's pull from the
// seated phase runs on, which is the return spring's part.
FirstLoss FirstContactLoss(const ExactKinematics& model, const LoadParameters& parameters) {
  FirstLoss loss;
  for (double crank = 0.05; crank < 720; crank += 0.1) {
    const LoadRow row = LoadsAt(model, parameters, crank);
    if (row.liftMm < 0.05) continue;
    if (row.contactLossRpm && *row.contactLossRpm < loss.rpm) {
      loss = {*row.contactLossRpm, row.contactLossWhich, crank};
    }
  }
  return loss;
}

double ContactForce(const LoadRow& row, unsigned which) {
  switch (which) {
    case kCamContactLost: return row.camContactN;
    case kLeverContactLost: return row.leverContactN;
    case kRollerContactLost: return row.rollerContactN;
    default: return row.valveForceN;
  }
}

TEST(BodyMasses, ContactLossSpeedsMatchAReviewAndZeroTheirContact) {
  // An independent review's figure, 17.8 g on the free roller and 20 g on the second:
  // at 71/700 the cam contact goes at 5,423 rpm (the valve separates at 6,371).
  LoadParameters parameters;
  parameters.bodies = {17.8, 20, 0, 0};
  const ExactKinematics corner(71, 700);
  const FirstLoss loss = FirstContactLoss(corner, parameters);
  EXPECT_NEAR(loss.rpm, 5423, 30);
  EXPECT_EQ(loss.which, kCamContactLost);
  // At the reported speed that contact's force is zero there, and not below it; at every
  // mode, contact and body mass.
  parameters.bodies = SteelBodyMasses(9.5, 8);
  for (const auto& [lever, eccentric] : {std::pair{71.0, 700.0}, std::pair{60.0, 200.0}, std::pair{0.0, 700.0}}) {
    const ExactKinematics model(lever, eccentric);
    const FirstLoss first = FirstContactLoss(model, parameters);
    ASSERT_LT(first.rpm, 1e5);
    LoadParameters at = parameters;
    at.rpm = first.rpm;
    const LoadRow row = LoadsAt(model, at, first.crankDeg);
    SCOPED_TRACE(testing::Message() << lever << ',' << eccentric << ": " << first.rpm << " rpm");
    EXPECT_NEAR(ContactForce(row, first.which), 0, 1e-9 * row.valveForceN);
    at.rpm = 0.99 * first.rpm;
    EXPECT_GT(ContactForce(LoadsAt(model, at, first.crankDeg), first.which), 0);
  }
}

TEST(BodyMasses, TheReportedReturnSpringHoldsTheSeatedPhase) {
  for (const auto& [lever, eccentric] : {std::pair{115.0, 700.0}, std::pair{60.0, 200.0}}) {
    const ExactKinematics model(lever, eccentric);
    LoadParameters parameters = WithBodies(6000);
    double needed = 0;
    for (double crank = 0.05; crank < 720; crank += 0.1) {
      const LoadRow row = LoadsAt(model, parameters, crank);
      if (!row.seated) continue;
      ASSERT_TRUE(row.returnSpringNeededN);
      needed = std::max(needed, *row.returnSpringNeededN);
    }
    SCOPED_TRACE(testing::Message() << lever << ',' << eccentric << ": " << needed << " N");
    ASSERT_GT(needed, 1);
    const auto pulls = [&](double spring) {
      parameters.returnSpringN = spring;
      int rows = 0;
      for (double crank = 0.05; crank < 720; crank += 0.1) {
        const LoadRow row = LoadsAt(model, parameters, crank);
        if (row.seated && (row.camContactN < -1e-9 || row.leverContactN < -1e-9)) ++rows;
      }
      return rows;
    };
    EXPECT_EQ(pulls(needed), 0);
    EXPECT_GT(pulls(0.95 * needed), 0);  // and no less would do
  }
}

}  // namespace
