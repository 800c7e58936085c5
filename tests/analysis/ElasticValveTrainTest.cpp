// The elastic valve train against what does not share its derivation: the rigid loads
// (its limit as the chain stiffens), conservation of energy, the uniform spring's
// surge frequency, and the eigenvalues of its mass and stiffness matrices.
#include <gtest/gtest.h>

#include <Eigen/Eigenvalues>
#include <algorithm>
#include <boost/numeric/odeint.hpp>
#include <cmath>
#include <numbers>
#include <vector>

#include "analysis/CurvatureJumps.h"
#include "analysis/ElasticCycle.h"
#include "analysis/ElasticModes.h"
#include "analysis/LumpedValveTrain.h"
#include "analysis/ValveLoads.h"

namespace {

namespace odeint = boost::numeric::odeint;
using State = LumpedValveTrain::State;

// Free motion with the chain's input held at a lift, undamped unless the parameters say.
State Integrated(const LumpedValveTrain& model, State s, double inputLiftM, double seconds) {
  const auto system = [&](const State& x, State& dx, double) { model.Derivative(x, dx, {inputLiftM, 0}); };
  odeint::integrate_adaptive(odeint::make_controlled(1e-13, 1e-13, odeint::runge_kutta_dopri5<State>()), system, s,
                             0.0, seconds, 1e-7);
  return s;
}

TEST(ElasticValveTrain, AStiffChainGivesTheRigidLiftAndTheQuasiStaticValveForce) {
  constexpr double kRingingDeg = 6;  // 25 of the stiff chain's decay times at 6,000 rpm
  // Spring without mass of its own, so the rigid model's equivalent mass is the valve's.
  LoadParameters load;
  ElasticParameters elastic;
  elastic.springMassG = 0;
  elastic.chainStiffnessNPerMm *= 1000;
  for (const auto& [lever, eccentric] : {std::pair{60.0, 200.0}, std::pair{0.0, 700.0}}) {
    const ExactKinematics model(lever, eccentric);
    const auto lift = KinematicLiftCurve::FromExact(model);
    ASSERT_TRUE(lift);
    std::vector<double> angles;
    for (double c = 0.05; c < 720; c += 0.5) angles.push_back(c);
    const auto cycle = ElasticCycleAt(*lift, load, elastic, angles);
    ASSERT_TRUE(cycle);
    EXPECT_TRUE(cycle->periodic);
    double peakForce = 0;
    std::vector<LoadRow> rigid;
    for (const double c : angles) {
      rigid.push_back(LoadsAt(model, load, c));
      peakForce = std::max(peakForce, rigid.back().valveForceN);
    }
    const std::vector<CurvatureJump> jumps = CurvatureJumps(model);
    double worstLift = 0;
    double worstForce = 0;
    for (std::size_t i = 0; i < angles.size(); ++i) {
      const ElasticRow& row = cycle->rows[i];
      ASSERT_TRUE(rigid[i].determinate);
      worstLift = std::max(worstLift, std::abs(row.liftMm - row.kinematicLiftMm));
      // The seat holds the preload with 4 um of its own give, which the chain takes up
      // as the valve starts to lift: a stiffer chain does not shorten that. Where the
      // acceleration jumps the chain rings (m times the jump, however stiff), for a few
      // of its damped periods.
      const bool ringing = std::any_of(jumps.begin(), jumps.end(), [&](const CurvatureJump& jump) {
        const double after = std::fmod(angles[i] - jump.crankDeg + 720, 720);
        return after < kRingingDeg || after > 720 - 0.5;  // and the lift's sample step before
      });
      if (rigid[i].liftMm > 0.01 && !ringing) {
        worstForce = std::max(worstForce, std::abs(row.chainForceN - rigid[i].valveForceN));
      }
    }
    SCOPED_TRACE(testing::Message() << lever << ',' << eccentric);
    EXPECT_LT(worstLift, 1e-3);                // mm: within 1 um
    EXPECT_LT(worstForce, 0.005 * peakForce);  // within 0.5 % of the largest
  }
}

TEST(ElasticValveTrain, UndampedMotionWithoutImpactsKeepsItsEnergy) {
  LoadParameters load;
  ElasticParameters elastic;
  elastic.dampingRatio = 0;
  const LumpedValveTrain model(load, elastic);
  const double input = 5e-3;
  State s = model.HeldOpen(input);
  s[0] += 2e-6;  // the valve pushed into the chain: every mass starts moving
  s[3] -= 1e-6;
  const double before = model.Energy(s, {input, 0});
  const double vibration = before - model.Energy(model.HeldOpen(input), {input, 0});
  const State after = Integrated(model, s, input, 0.05);
  EXPECT_EQ(model.Contacts(after, {input, 0}), LumpedValveTrain::kChainContact);  // no impact, no loss
  EXPECT_LT(std::abs(model.Energy(after, {input, 0}) - before), 1e-6 * vibration);
  EXPECT_GT(std::abs(after[0] - s[0]), 1e-8);  // it did move
}

TEST(ElasticValveTrain, CoilMassesTendToTheUniformSpringsSurgeFrequency) {
  // The valve held by a chain far stiffer than the spring: a spring fixed at both ends,
  // whose first frequency is 1/2 sqrt(k / m_s).
  LoadParameters load;
  ElasticParameters elastic;
  elastic.chainStiffnessNPerMm = kMaxChainStiffnessNPerMm;
  const double uniform = 0.5 * std::sqrt(load.springRateNPerMm * 1000 / (elastic.springMassG / 1000));
  double lastError = 1;
  for (const int n : {1, 2, 4, 8, 16, 32, 64}) {
    elastic.springMasses = n;
    const double first = NaturalFrequenciesHz(LumpedValveTrain(load, elastic)).front();
    const double error = std::abs(first / uniform - 1);
    EXPECT_LT(error, lastError) << n;
    lastError = error;
  }
  EXPECT_LT(lastError, 0.01);
}

TEST(ElasticValveTrain, EachEigenvectorReturnsAfterItsPeriod) {
  // Started in the shape of a mode of the mass and stiffness matrices, the integrated
  // motion is back where it began after that mode's period: the equations of motion
  // are the matrices'.
  LoadParameters load;
  ElasticParameters elastic;
  elastic.dampingRatio = 0;
  elastic.springMasses = 3;
  const LumpedValveTrain model(load, elastic);
  const std::vector<double> frequencies = NaturalFrequenciesHz(model);
  ASSERT_EQ(frequencies.size(), 4u);
  const std::vector<double> m = model.Masses();
  const std::vector<double> k = model.Stiffness();
  Eigen::MatrixXd kk(4, 4);
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) kk(r, c) = k[static_cast<std::size_t>(r * 4 + c)];
  }
  const Eigen::VectorXd mm = Eigen::Map<const Eigen::VectorXd>(m.data(), 4);
  const Eigen::GeneralizedSelfAdjointEigenSolver<Eigen::MatrixXd> solver(kk, mm.asDiagonal().toDenseMatrix());
  const double input = 5e-3;
  for (int mode = 0; mode < 4; ++mode) {
    State s = model.HeldOpen(input);
    const Eigen::VectorXd shape = solver.eigenvectors().col(mode).normalized() * 1e-6;  // m
    s[0] += shape(0);
    for (int i = 1; i < 4; ++i) s[static_cast<std::size_t>(1 + i)] += shape(i);
    const double omega = 2 * std::numbers::pi * frequencies[static_cast<std::size_t>(mode)];
    const State after = Integrated(model, s, input, 2 * std::numbers::pi / omega);
    double moved = 0;  // m; a speed counts as its amplitude of motion, v / omega
    for (std::size_t i = 0; i < s.size(); ++i) {
      const bool speed = i == 1 || i >= 5;
      moved = std::max(moved, std::abs(after[i] - s[i]) / (speed ? omega : 1));
    }
    EXPECT_LT(moved, 1e-9) << mode;  // a thousandth of the amplitude
  }
}

}  // namespace
