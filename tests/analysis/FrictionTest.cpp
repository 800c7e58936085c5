// The friction layer against identities of its own: contacts that neither part nor
// press into each other, the cam surface's speed under a roller whose centre stands
// still, the frictionless limit, the quasi-static roller rolling on the contact that
// holds it, and the energy of a periodic cycle.
#include <gtest/gtest.h>

#include <algorithm>
#include <boost/math/tools/roots.hpp>
#include <cmath>
#include <numbers>

#include "analysis/BodyMasses.h"
#include "analysis/ChainFrame.h"
#include "analysis/ContactKinematics.h"
#include "analysis/FrictionCycle.h"
#include "analysis/FrictionalChain.h"
#include "analysis/LoadSeries.h"
#include "analysis/SvajSeries.h"

namespace {

double Dot(Point2 a, Point2 b) { return a.x * b.x + a.y * b.y; }

constexpr std::pair<double, double> kModes[] = {{60, 200}, {0, 700}, {71, 700}};

LoadParameters At6000(bool heavy) {
  LoadParameters parameters;
  parameters.rpm = 6000;
  if (heavy) parameters.bodies = SteelBodyMasses(9.5, parameters.rollerWidthMm);
  return parameters;
}

double CamRadPerS(double rpm) { return rpm / 2 * 2 * std::numbers::pi / 60; }

// The cam's point at p (mm), turning clockwise about its axis, in m/s.
Point2 CamVelocity(const ExactKinematics& model, Point2 p, double rpm) {
  const double w = CamRadPerS(rpm);
  const Point2 r = {(p.x - model.Constants().camCentreX) / 1000, (p.y - model.Constants().camCentreY) / 1000};
  return {w * r.y, -w * r.x};
}

TEST(Friction, ContactsNeitherPartNorPressIn) {
  // At every contact the free roller's surface and the other body's move alike along
  // the normal: the cam's point by the cam's turn, the second roller's by its centre.
  for (const auto& [lever, eccentric] : kModes) {
    const ExactKinematics model(lever, eccentric);
    const FrictionCycle cycle = FrictionCycleAt(model, At6000(false), {}, CrankPlaces(model, CrankAngles(1)));
    int checked = 0;
    for (const FrictionalLoadRow& r : cycle.rows) {
      if (!r.friction.evaluated) continue;
      const LoadGeometry& g = r.loads.geometry;
      const BodyMotion& m = r.loads.motion;
      const Point2 camPoint = {g.roller.x - 9.5 * g.camNormal.x, g.roller.y - 9.5 * g.camNormal.y};
      const double scale = 1e-9 * std::max(1.0, std::hypot(m.rollerVelocity.x, m.rollerVelocity.y));
      SCOPED_TRACE(testing::Message() << lever << ',' << eccentric << " at " << r.loads.crankDeg);
      EXPECT_NEAR(Dot(m.rollerVelocity, g.camNormal), Dot(CamVelocity(model, camPoint, 6000), g.camNormal),
                  1e-8);
      EXPECT_NEAR(Dot(m.rollerVelocity, g.leverNormal), 0, scale);
      if (!r.loads.seated) {
        EXPECT_NEAR(Dot(m.rollerVelocity, g.rollerNormal), Dot(m.secondVelocity, g.rollerNormal), scale);
      }
      ++checked;
    }
    EXPECT_GT(checked, 600);
  }
}

TEST(Friction, WhereTheRollerStandsStillCamAndLeverSlipsDifferByTheCamSurfacesSpeed) {
  for (const auto& [lever, eccentric] : kModes) {
    const ExactKinematics model(lever, eccentric);
    // Maximum lift, where the lift's velocity changes sign.
    double top = 0;
    double best = -1;
    for (double c = 0; c < 720; c += 0.5) {
      const ExactSvaj s = model.SvajAt(c);
      if (s.outcome == ExactOutcome::Placed && s.lift > best) {
        best = s.lift;
        top = c;
      }
    }
    std::uintmax_t iterations = 100;
    const auto [a, b] = boost::math::tools::toms748_solve([&](double c) { return model.SvajAt(c).velocity; },
                                                          top - 0.5, top + 0.5,
                                                          boost::math::tools::eps_tolerance<double>(50), iterations);
    const double crank = (a + b) / 2;
    const FrictionCycle cycle =
        FrictionCycleAt(model, At6000(false), {}, std::vector<CrankPlace>{CrankPlace{crank, 0, -1}});
    const FrictionalLoadRow& r = cycle.rows.front();
    ASSERT_TRUE(r.friction.evaluated);
    const BodyMotion& m = r.loads.motion;
    const LoadGeometry& g = r.loads.geometry;
    EXPECT_LT(std::hypot(m.rollerVelocity.x, m.rollerVelocity.y), 1e-6);
    const Point2 camPoint = {g.roller.x - 9.5 * g.camNormal.x, g.roller.y - 9.5 * g.camNormal.y};
    const double surface = CamRadPerS(6000) / 1000 *
                           std::hypot(camPoint.x - model.Constants().camCentreX, camPoint.y - model.Constants().camCentreY);
    const double difference = r.friction.contact[kCamContact].slipMPerS - r.friction.contact[kLeverContact].slipMPerS;
    SCOPED_TRACE(testing::Message() << lever << ',' << eccentric << " at " << crank);
    EXPECT_NEAR(std::abs(difference), surface, 1e-6 * surface);
    EXPECT_GT(surface, 5);  // metres per second: the review's 6.86 at 0/700
  }
}

TEST(Friction, EntrainmentIsTheSurfacesMeanSpeedPastTheMovingContactPoint) {
  // The other body's surface speed past the contact point, entrainment less half the
  // slip, against the contact point's own motion by central differences: at rest for
  // the lever, turning with the cam.
  const double h = 1e-4;  // crank degrees
  const double secondsPerDeg = 1 / (6 * 6000.0);
  for (const auto& [lever, eccentric] : kModes) {
    const ExactKinematics model(lever, eccentric);
    int checked = 0;
    for (double crank = 3.7; crank < 720; crank += 11) {
      const FrictionCycle cycle = FrictionCycleAt(
          model, At6000(false), {}, std::vector<CrankPlace>{{crank - h, 0, -1}, {crank, 0, -1}, {crank + h, 0, -1}});
      if (!cycle.rows[0].friction.evaluated || !cycle.rows[1].friction.evaluated || !cycle.rows[2].friction.evaluated ||
          cycle.rows[0].loads.seated != cycle.rows[2].loads.seated) {
        continue;
      }
      const auto point = [&](int row, Point2 normal) {
        const Point2 c = cycle.rows[row].loads.geometry.roller;
        return Point2{c.x - 9.5 * normal.x, c.y - 9.5 * normal.y};
      };
      const FrictionalLoadRow& r = cycle.rows[1];
      for (const int which : {kCamContact, kLeverContact}) {
        const auto normalOf = [&](int row) {
          const LoadGeometry& g = cycle.rows[row].loads.geometry;
          return which == kCamContact ? g.camNormal : g.leverNormal;
        };
        const Point2 before = point(0, normalOf(0));
        const Point2 after = point(2, normalOf(2));
        const Point2 pointVelocity = {(after.x - before.x) / 1000 / (2 * h * secondsPerDeg),
                                      (after.y - before.y) / 1000 / (2 * h * secondsPerDeg)};
        const Point2 n = normalOf(1);
        const Point2 tangent = {n.y, -n.x};
        const Point2 surface = which == kCamContact ? CamVelocity(model, point(1, n), 6000) : Point2{0, 0};
        const ContactFriction& c = r.friction.contact[which];
        const double expected = Dot({surface.x - pointVelocity.x, surface.y - pointVelocity.y}, tangent);
        SCOPED_TRACE(testing::Message() << lever << ',' << eccentric << " at " << crank << " contact " << which);
        EXPECT_NEAR(c.entrainmentMPerS - c.slipMPerS / 2, expected, 1e-5 * (1 + std::abs(expected)));
        ++checked;
      }
    }
    EXPECT_GT(checked, 80);
  }
}

void ExpectSameLoads(const LoadRow& a, const LoadRow& b) {
  EXPECT_EQ(a.determinate, b.determinate);
  EXPECT_EQ(a.camContactN, b.camContactN);
  EXPECT_EQ(a.leverContactN, b.leverContactN);
  EXPECT_EQ(a.rollerContactN, b.rollerContactN);
  EXPECT_EQ(a.linkForceN, b.linkForceN);
  EXPECT_EQ(a.rodForceN, b.rodForceN);
  EXPECT_EQ(a.guideForceN, b.guideForceN);
  EXPECT_EQ(a.camHertzMPa, b.camHertzMPa);
  EXPECT_EQ(a.leverHertzMPa, b.leverHertzMPa);
  EXPECT_EQ(a.rollerHertzMPa, b.rollerHertzMPa);
  EXPECT_EQ(a.camshaftTorqueNm, b.camshaftTorqueNm);
  EXPECT_EQ(a.greenTorqueNm, b.greenTorqueNm);
  EXPECT_EQ(a.orangeTorqueNm, b.orangeTorqueNm);
  EXPECT_EQ(a.lost, b.lost);
}

TEST(Friction, TheCoefficientIsMuTimesTanhOfTheSlipOverTheCreepSpeed) {
  // Against the library's tanh over both signs and every regime: the creep, the
  // exponential's and the saturated.
  const FrictionParameters friction;
  for (double slip = 1e-7; slip < 100; slip *= 1.07) {
    for (const double s : {slip, -slip}) {
      const double expected = friction.coefficient * std::tanh(s / friction.regularisationMPerS);
      EXPECT_NEAR(FrictionCoefficientAt(friction, s), expected, 4e-16 * friction.coefficient) << s;
    }
  }
  EXPECT_EQ(FrictionCoefficientAt(friction, 0), 0);
}

TEST(Friction, WithoutFrictionAndMassesTheLoadsAreTodaysAndVanishingFrictionTendsToThem) {
  const ExactKinematics model(0, 700);
  const LoadParameters parameters = At6000(false);
  const std::vector<CrankPlace> places = CrankPlaces(model, CrankAngles(2));
  FrictionParameters none;
  none.coefficient = 0;
  const FrictionCycle exact = FrictionCycleAt(model, parameters, none, places);
  FrictionParameters tiny;
  tiny.coefficient = 1e-12;
  const FrictionCycle near = FrictionCycleAt(model, parameters, tiny, places);
  for (std::size_t i = 0; i < places.size(); ++i) {
    const LoadRow today = LoadsAt(model, parameters, places[i]);
    SCOPED_TRACE(testing::Message() << places[i].crankDeg);
    ExpectSameLoads(exact.rows[i].loads, today);
    EXPECT_EQ(exact.rows[i].friction.powerW, 0);
    // The frictional balance itself (its own lines and torques at the contact points).
    const LoadRow& n = near.rows[i].loads;
    const double scale = 1e-9 * std::max({1.0, std::abs(today.camContactN), std::abs(today.rollerContactN)});
    EXPECT_NEAR(n.camContactN, today.camContactN, scale);
    EXPECT_NEAR(n.leverContactN, today.leverContactN, scale);
    EXPECT_NEAR(n.rollerContactN, today.rollerContactN, scale);
    EXPECT_NEAR(n.linkForceN, today.linkForceN, scale);
    EXPECT_NEAR(n.camshaftTorqueNm, today.camshaftTorqueNm, scale);
    EXPECT_NEAR(n.greenTorqueNm, today.greenTorqueNm, scale);
    EXPECT_NEAR(n.orangeTorqueNm, today.orangeTorqueNm, scale);
  }
}

TEST(Friction, AMasslessFreeRollerRollsOnTheContactThatHoldsItHardest) {
  // No net friction torque on it: where one contact carries more than the other two
  // together, that one's friction alone cannot balance theirs unless it all but rolls.
  const FrictionParameters friction;
  int rolling = 0;
  for (const auto& [lever, eccentric] : kModes) {
    const ExactKinematics model(lever, eccentric);
    const FrictionCycle cycle = FrictionCycleAt(model, At6000(false), friction, CrankPlaces(model, CrankAngles(1)));
    for (const FrictionalLoadRow& r : cycle.rows) {
      if (!r.friction.evaluated || r.loads.seated) continue;
      const double n[] = {r.loads.camContactN, r.loads.leverContactN, r.loads.rollerContactN};
      const double total = std::abs(n[0]) + std::abs(n[1]) + std::abs(n[2]);
      EXPECT_LE(std::abs(r.friction.spinTorques.freeNm), 1e-9 * friction.coefficient * 0.0095 * total);
      EXPECT_NEAR(r.friction.contact[kRollerContact].slipMPerS, 0, 1e-9);  // the second roller rolls
      const int most = static_cast<int>(std::max_element(n, n + 2) - n);
      const int other = 1 - most;
      if (n[most] > 1.2 * (n[other] + 1) && n[other] > 0) {
        SCOPED_TRACE(testing::Message() << lever << ',' << eccentric << " at " << r.loads.crankDeg);
        EXPECT_LT(std::abs(r.friction.contact[most].slipMPerS), 2 * friction.regularisationMPerS);
        ++rolling;
      }
    }
  }
  EXPECT_GT(rolling, 100);
}

TEST(Friction, TheSpinsSlopesAreTheTorquesDerivatives) {
  // The stiff integrator's Jacobian and Newton's slopes: friction's torques on both spins
  // against central differences in each spin, the normal forces' own change with the
  // coefficients included, at the spins of the periodic cycle (where rollers roll and
  // the friction law is steepest) and 2 rad/s off them (where contacts slide).
  const LoadParameters parameters = At6000(true);
  const FrictionParameters friction;
  LoadParameters moving = parameters;
  moving.bodyMotion = true;
  int checked = 0;
  for (const auto& [lever, eccentric] : kModes) {
    const ExactKinematics model(lever, eccentric);
    const Design& design = model.GetMechanism().GetDesign();
    const std::vector<CrankPlace> places = CrankPlaces(model, CrankAngles(2));
    const FrictionCycle cycle = FrictionCycleAt(model, parameters, friction, places);
    for (std::size_t i = 0; i < places.size(); ++i) {
      const LoadRow row = LoadsAt(model, moving, places[i]);
      if (!cycle.rows[i].friction.evaluated || row.outcome != ExactOutcome::Placed || !row.determinate) continue;
      const RollerContacts contacts = ContactsOf(row, design.freeRollerRadiusMm, design.secondRollerRadiusMm,
                                                 ChainFrameOf(model).camCentre, parameters.rpm);
      const auto chain = FrictionalChain::Of(row, contacts, parameters, friction);
      ASSERT_TRUE(chain.has_value());
      for (const double off : {0.0, 2.0}) {
        const Spins at{cycle.rows[i].friction.spins.freeRadPerS + off, cycle.rows[i].friction.spins.secondRadPerS};
        const auto f = chain->At(at, true);
        ASSERT_TRUE(f.has_value());
        // A contact's opening (its friction dropped) is a jump the slopes do not see.
        const auto opens = [&](const FrictionalForces& g) {
          return std::array<bool, 3>{g.coefficient[0] == 0, g.coefficient[1] == 0, g.coefficient[2] == 0};
        };
        const double h = 1e-4;  // rad/s, against the creep of about 1 rad/s
        for (int j = 0; j < 2; ++j) {
          Spins up = at;
          Spins down = at;
          (j == 0 ? up.freeRadPerS : up.secondRadPerS) += h;
          (j == 0 ? down.freeRadPerS : down.secondRadPerS) -= h;
          const auto fu = chain->At(up);
          const auto fd = chain->At(down);
          if (!fu || !fd || opens(*fu) != opens(*f) || opens(*fd) != opens(*f)) continue;
          const double free = (fu->freeSpinTorqueNm - fd->freeSpinTorqueNm) / (2 * h);
          const double second = (fu->secondSpinTorqueNm - fd->secondSpinTorqueNm) / (2 * h);
          // Against the steepest the law allows there, mu0 / v0 r^2 of all normal forces.
          const double scale = friction.coefficient / friction.regularisationMPerS * 0.0095 * 0.0095 *
                               (std::abs(f->chain.camN) + std::abs(f->chain.leverN) + std::abs(f->chain.rollerN));
          SCOPED_TRACE(testing::Message() << lever << ',' << eccentric << " at " << row.crankDeg << " spin " << j
                                          << (off != 0 ? " sliding" : ""));
          EXPECT_NEAR(f->spinSlopes[0][j], free, 1e-4 * scale);
          EXPECT_NEAR(f->spinSlopes[1][j], second, 1e-4 * scale);
          ++checked;
        }
      }
    }
  }
  EXPECT_GT(checked, 1000);
}

// The mean of a quantity over the cycle: trapezoids between the places (two at each
// jump), Richardson's extrapolation from steps h and 2h.
double CycleMean(const std::vector<FrictionalLoadRow>& rows, double (*value)(const FrictionalLoadRow&)) {
  double sum = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const FrictionalLoadRow& a = rows[i];
    const FrictionalLoadRow& b = rows[(i + 1) % rows.size()];
    const double width = (i + 1 < rows.size() ? b.loads.crankDeg : b.loads.crankDeg + 720) - a.loads.crankDeg;
    sum += width * (value(a) + value(b)) / 2;
  }
  return sum / 720;
}

double CamPower(const FrictionalLoadRow& r) {
  return r.loads.determinate ? r.loads.camshaftTorqueNm * CamRadPerS(6000) : 0;
}
double HeatPower(const FrictionalLoadRow& r) { return r.friction.powerW; }

TEST(Friction, OverThePeriodicCycleTheCamshaftPaysTheHeat) {
  // The bodies' energies and the spring's return after a cycle, the spins' too where
  // they repeat: what the camshaft gives is what friction takes.
  for (const bool heavy : {false, true}) {
    for (const auto& [lever, eccentric] : {std::pair{0.0, 700.0}, std::pair{60.0, 200.0}}) {
      const ExactKinematics model(lever, eccentric);
      const LoadParameters parameters = At6000(heavy);
      double means[2][2];
      for (int k = 0; k < 2; ++k) {
        const FrictionCycle cycle =
            FrictionCycleAt(model, parameters, {}, CrankPlaces(model, CrankAngles(k == 0 ? 0.05 : 0.1)));
        EXPECT_TRUE(cycle.periodic);
        // With the spins' inertia, as integrated with them: the rows miss the quick
        // changes of spin between them.
        means[k][0] = cycle.meanCamshaftW.value_or(CycleMean(cycle.rows, CamPower));
        means[k][1] = cycle.meanHeatW.value_or(CycleMean(cycle.rows, HeatPower));
        EXPECT_EQ(cycle.meanHeatW.has_value(), heavy);
      }
      const double cam = (4 * means[0][0] - means[1][0]) / 3;
      const double heat = (4 * means[0][1] - means[1][1]) / 3;
      SCOPED_TRACE(testing::Message() << lever << ',' << eccentric << (heavy ? " heavy" : "") << ": " << cam << " W, "
                                      << heat << " W; at 0.05 degree " << means[0][0] << ", " << means[0][1]);
      EXPECT_GT(heat, 1);
      EXPECT_NEAR(cam, heat, 1e-6 * heat);
    }
  }
}

TEST(Friction, TheSpinsPeriodicStateDoesNotDependOnWhereTheCycleBegins) {
  // Fine rows are solved on every degree first, then in two halves of the cycle at
  // once. Begun half a cycle later, the coarse rows, the halves and their cut all move;
  // the state the spins settle on must not, nor the heat, at every row.
  const ExactKinematics model(60, 200);
  const LoadParameters parameters = At6000(true);
  const std::vector<CrankPlace> places = CrankPlaces(model, CrankAngles(0.1));
  std::vector<CrankPlace> later;
  for (const CrankPlace& p : places) {
    if (p.crankDeg >= 360) later.push_back(p);
  }
  const std::size_t shift = places.size() - later.size();
  for (std::size_t i = 0; i < shift; ++i) {
    later.push_back(places[i]);
    later.back().crankDeg += 720;
  }
  const FrictionCycle first = FrictionCycleAt(model, parameters, {}, places);
  const FrictionCycle second = FrictionCycleAt(model, parameters, {}, later);
  ASSERT_TRUE(first.periodic && second.periodic);
  ASSERT_TRUE(first.meanHeatW && second.meanHeatW);
  EXPECT_NEAR(*second.meanHeatW, *first.meanHeatW, 1e-5 * *first.meanHeatW);
  double worstSpin = 0;
  double worstHeat = 0;
  double mostHeat = 0;
  for (std::size_t i = 0; i < places.size(); ++i) {
    const FrictionRow& a = first.rows[i].friction;
    const FrictionRow& b = second.rows[(i + places.size() - shift) % places.size()].friction;
    ASSERT_EQ(a.evaluated, b.evaluated);
    worstSpin = std::max({worstSpin, std::abs(a.spins.freeRadPerS - b.spins.freeRadPerS),
                          std::abs(a.spins.secondRadPerS - b.spins.secondRadPerS)});
    worstHeat = std::max(worstHeat, std::abs(a.powerW - b.powerW));
    mostHeat = std::max(mostHeat, a.powerW);
  }
  // Within a step's error (1e-3 rad/s); the two come within a tenth of it.
  EXPECT_LT(worstSpin, 1e-3);
  EXPECT_LT(worstHeat, 1e-6 * mostHeat);
}

TEST(Friction, OnAMapsCoarseRowsTheSpinsSettleWhereTheFineRowsDo) {
  // Rows 8 crank degrees apart, as the map takes them, once sent Newton's method on the
  // cycle to spins hundreds of times any rolling one, at a mean heat of hundreds of watts.
  LoadParameters parameters = At6000(false);
  parameters.bodies.freeRollerG = 17.805605;
  parameters.bodies.secondRollerG = 20.005605;
  for (const auto& [lever, eccentric] : {std::pair{113.0, 563.0}, std::pair{101.0, 226.0}}) {
    SCOPED_TRACE(testing::Message() << lever << ',' << eccentric);
    const ExactKinematics model(lever, eccentric);
    const FrictionCycle coarse =
        FrictionCycleAt(model, parameters, {}, CrankPlaces(model, CrankAngles(8)), SeatedRows::Brief);
    const FrictionCycle fine = FrictionCycleAt(model, parameters, {}, CrankPlaces(model, CrankAngles(0.5)));
    EXPECT_TRUE(coarse.periodic && fine.periodic);
    ASSERT_TRUE(coarse.meanHeatW && fine.meanHeatW);
    EXPECT_NEAR(*coarse.meanHeatW, *fine.meanHeatW, 0.1 * *fine.meanHeatW);
  }
}

}  // namespace
