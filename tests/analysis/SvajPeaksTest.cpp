// The peaks of a mode's motion over the continuous cycle: none missed between the rows,
// none moved by the step, and at a curvature jump the value from each side.
#include "analysis/SvajPeaks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>

#include "analysis/ModeDetail.h"

namespace {

struct Mode {
  double lever;
  double eccentric;
};
const Mode kModes[] = {{60, 200}, {85, 700}, {31.7, 412.25}, {0, 700}};

SvajPeaks PeaksAtStep(const ExactKinematics& model, double step) {
  return PeaksOf(model, SvajSeries(model, CrankPlaces(model, CrankAngles(step))));
}

using Peak = std::optional<AtCrank> SvajPeaks::*;
struct Named {
  const char* name;
  Peak peak;
  double ExactSvaj::*quantity;
  bool highest;
};
const Named kPeaks[] = {
    {"max lift", &SvajPeaks::maxLift, &ExactSvaj::lift, true},
    {"highest velocity", &SvajPeaks::highestVelocity, &ExactSvaj::velocity, true},
    {"lowest velocity", &SvajPeaks::lowestVelocity, &ExactSvaj::velocity, false},
    {"highest acceleration", &SvajPeaks::highestAcceleration, &ExactSvaj::acceleration, true},
    {"lowest acceleration", &SvajPeaks::lowestAcceleration, &ExactSvaj::acceleration, false},
    {"highest jerk", &SvajPeaks::highestJerk, &ExactSvaj::jerk, true},
    {"lowest jerk", &SvajPeaks::lowestJerk, &ExactSvaj::jerk, false},
};

TEST(SvajPeaks, DoNotChangeWithTheStepAndNoDenseSampleGoesBeyondThem) {
  for (const Mode mode : kModes) {
    const ExactKinematics model(mode.lever, mode.eccentric);
    const SvajPeaks coarse = PeaksAtStep(model, 2);
    const SvajPeaks fine = PeaksAtStep(model, 0.1);
    const std::vector<SvajSample> dense = SvajSeries(model, CrankPlaces(model, CrankAngles(0.01)));
    for (const Named& named : kPeaks) {
      SCOPED_TRACE(testing::Message() << mode.lever << ',' << mode.eccentric << ' ' << named.name);
      const std::optional<AtCrank>& a = coarse.*named.peak;
      const std::optional<AtCrank>& b = fine.*named.peak;
      ASSERT_TRUE(a && b);
      EXPECT_NEAR(a->value, b->value, 1e-9 * std::abs(b->value) + 1e-12);
      // Where a peak is flat, its place is the minimiser's to a bracket's width.
      EXPECT_NEAR(a->crankDeg, b->crankDeg, 1e-4);
      const double sign = named.highest ? 1 : -1;
      double best = -INFINITY;
      for (const SvajSample& sample : dense) {
        if (sample.svaj.outcome == ExactOutcome::Placed) best = std::max(best, sign * (sample.svaj.*named.quantity));
      }
      EXPECT_GE(sign * b->value, best - 1e-9 * std::abs(best));
      // And near enough that no other peak was taken: the dense rows come within what
      // a curve can move in half their step.
      EXPECT_LE(sign * b->value - best, 1e-3 * std::abs(best) + 1e-9);
    }
    // The impulses do not move either.
    ASSERT_EQ(coarse.jerkImpulses.size(), fine.jerkImpulses.size());
    for (std::size_t i = 0; i < coarse.jerkImpulses.size(); ++i) {
      EXPECT_EQ(coarse.jerkImpulses[i].value, fine.jerkImpulses[i].value);
      EXPECT_EQ(coarse.jerkImpulses[i].crankDeg, fine.jerkImpulses[i].crankDeg);
    }
  }
}

TEST(SvajPeaks, ImpulsesAreTheAccelerationsStepsWhereTheValveMoves) {
  // At the window's start mode the acceleration steps where the roller passes from arc
  // to arc while the valve moves, and not at a join passed with the valve seated.
  const ExactKinematics model(60, 200);
  const SvajPeaks peaks = PeaksAtStep(model, 1);
  ASSERT_GE(peaks.jerkImpulses.size(), 2u);
  for (const AtCrank& impulse : peaks.jerkImpulses) {
    const double near = 1e-6;
    const double below = model.SvajAt(impulse.crankDeg - near).acceleration;
    const double above = model.SvajAt(impulse.crankDeg + near).acceleration;
    EXPECT_NEAR(impulse.value, above - below, 1e-3 * std::abs(impulse.value)) << impulse.crankDeg;
    EXPECT_GT(std::abs(impulse.value), 1e-6);
  }
}

TEST(SvajPeaks, ByTimeScaleEachDerivativeByItsPowerOfTheCranksSpeed) {
  const ExactKinematics model(85, 700);
  const SvajPeaks byCrank = PeaksAtStep(model, 1);
  const SvajPeaks byTime = PeaksByTime(byCrank, 3000);
  const double degreesPerSecond = 18000;
  EXPECT_EQ(byTime.maxLift->value, byCrank.maxLift->value);
  EXPECT_NEAR(byTime.highestVelocity->value, byCrank.highestVelocity->value * degreesPerSecond,
              1e-12 * std::abs(byTime.highestVelocity->value));
  EXPECT_NEAR(byTime.lowestAcceleration->value, byCrank.lowestAcceleration->value * std::pow(degreesPerSecond, 2) / 1000,
              1e-12 * std::abs(byTime.lowestAcceleration->value));
  EXPECT_NEAR(byTime.highestJerk->value, byCrank.highestJerk->value * std::pow(degreesPerSecond, 3) / 1000,
              1e-12 * std::abs(byTime.highestJerk->value));
  EXPECT_NEAR(byTime.jerkImpulses[0].value, byCrank.jerkImpulses[0].value * std::pow(degreesPerSecond, 2) / 1000,
              1e-12 * std::abs(byTime.jerkImpulses[0].value));
  EXPECT_EQ(byTime.highestJerk->crankDeg, byCrank.highestJerk->crankDeg);
}

TEST(SvajPeaks, TheExplorersTableTakesThemAtAnyStep) {
  // Lever 60, eccentric 200 at 3,000 rpm: sampled every half degree the highest
  // acceleration read 3,505 m/s^2, every tenth 4,144; the jump gives 4,151.8.
  DemonstrationModel window;
  const auto highestAcceleration = [&](double step) {
    ModeDetailRequest request;
    request.lever = 60;
    request.eccentric = 200;
    request.rpm = 3000;
    request.svajStepDeg = step;
    const ModeDetail detail = DetailOf(request, window);
    for (const ModeDetailRow& row : detail.rows) {
      if (row.label == "highest acceleration") return row.exact.value_or(NAN);
    }
    return double(NAN);
  };
  const double coarse = highestAcceleration(0.5);
  EXPECT_NEAR(coarse, 4151.77, 0.01);
  EXPECT_NEAR(coarse, highestAcceleration(0.1), 1e-9 * coarse);
}

}  // namespace
