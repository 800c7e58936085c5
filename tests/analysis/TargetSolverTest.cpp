// The continuous summary of the exact lift and the target solver built on it: checked
// against a dense sampling of the same lift, and against the modes it started from.
#include "analysis/TargetSolver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/ExactLiftSummary.h"
#include "analysis/ModeSummary.h"
#include "analysis/SvajSeries.h"

namespace {

// Between whole bar values, so that nothing rests on the window's grid.
struct Mode {
  double lever;
  double eccentric;
};
const Mode kModes[] = {{0, 700}, {31.7, 412.25}, {60, 200}, {88.4, 650.5}};

TEST(ExactLiftSummary, AgreesWithTheLiftSampledEveryHundredthOfADegree) {
  for (const Mode mode : kModes) {
    const ExactKinematics model(mode.lever, mode.eccentric);
    std::vector<LiftSample> dense;
    for (const SvajSample& s : SvajSeries(model, 0.01)) {
      if (s.svaj.outcome == ExactOutcome::Placed) dense.push_back({s.crankDeg, s.svaj.lift});
    }
    const ModeSummary sampled = SummariseLift(dense);
    const ExactLiftSummary continuous = SummariseExactLift(model);
    SCOPED_TRACE(testing::Message() << mode.lever << "," << mode.eccentric);
    // The refined maximum is never below a sample and above the samples only by what
    // the curve can rise within half a step of its top.
    EXPECT_GE(continuous.maxLiftMm, *sampled.maxLiftMm - 1e-12);
    EXPECT_LE(continuous.maxLiftMm, *sampled.maxLiftMm + 1e-6);
    EXPECT_NEAR(continuous.maxLiftCrankDeg, *sampled.maxLiftCrankDeg, 0.02);
    ASSERT_EQ(continuous.openingCrankDeg.has_value(), sampled.atFullLift.openingCrankDeg.has_value());
    if (continuous.openingCrankDeg) {
      EXPECT_NEAR(*continuous.openingCrankDeg, *sampled.atFullLift.openingCrankDeg, 1e-3);
      EXPECT_NEAR(*continuous.closingCrankDeg, *sampled.atFullLift.closingCrankDeg, 1e-3);
      EXPECT_NEAR(continuous.durationCrankDeg, *sampled.atFullLift.durationCrankDeg, 2e-3);
    } else {
      EXPECT_EQ(continuous.durationCrankDeg, 0);
    }
  }
}

TEST(TargetSolver, FindsModesBetweenTheGridsPointsAndSaysWhenATargetIsOutOfReach) {
  const TargetSeeds seeds = ExactSeeds(0, 115, 11, -95, 700, 16);
  // A point some mode reaches, off the seeds' grid: every answer must reach it.
  for (const Mode mode : {kModes[1], kModes[3]}) {
    const ExactLiftSummary wanted = SummariseExactLift(ExactKinematics(mode.lever, mode.eccentric));
    const TargetAnswer answer = SolveTarget({wanted.maxLiftMm, wanted.durationCrankDeg}, seeds);
    ASSERT_TRUE(answer.reachable);
    ASSERT_FALSE(answer.modes.empty());
    for (const TargetMode& found : answer.modes) {
      // What the answer says it reaches is what the model gives there.
      const ExactLiftSummary there = SummariseExactLift(ExactKinematics(found.lever, found.eccentric));
      EXPECT_NEAR(there.maxLiftMm, wanted.maxLiftMm, kTargetLiftToleranceMm);
      EXPECT_NEAR(there.durationCrankDeg, wanted.durationCrankDeg, kTargetDurationToleranceDeg);
      EXPECT_EQ(there.maxLiftMm, found.reached.liftMm);
    }
  }

  // Higher than any mode lifts: out of reach, and the nearest point offered is at
  // least as near as every mode the search started from.
  const TargetPoint tooHigh{15, 200};
  const TargetAnswer answer = SolveTarget(tooHigh, seeds);
  EXPECT_FALSE(answer.reachable);
  ASSERT_EQ(answer.modes.size(), 1u);
  const auto miss = [&](TargetPoint p) {
    return std::hypot((p.liftMm - tooHigh.liftMm) * kCrankDegPerMm, p.durationCrankDeg - tooHigh.durationCrankDeg);
  };
  for (const TargetPoint& seed : seeds.points) EXPECT_LE(miss(answer.modes[0].reached), miss(seed) + 1e-9);
}

}  // namespace
