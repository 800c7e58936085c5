// The continuous summary of the exact lift and the target solver built on it: checked
// against a dense sampling of the same lift, and against the modes it started from.
#include "analysis/TargetSolver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
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

// Out of reach, the answer is a minimum of the distance it states: no mode a little
// way off along either bar (within their ranges) comes nearer. Target 5 mm over 0
// degrees ends on the eccentric bar's end, where the descent's steps are cut short.
TEST(TargetSolver, TheNearestModeIsAMinimumOfTheStatedDistance) {
  const TargetSeeds seeds = ExactSeeds(0, 115, 12, -95, 700, 17);
  for (const TargetPoint target : {TargetPoint{5, 0}, TargetPoint{15, 200}, TargetPoint{0.5, 300}}) {
    const TargetAnswer answer = SolveTarget(target, seeds);
    ASSERT_FALSE(answer.reachable);
    ASSERT_EQ(answer.modes.size(), 1u);
    const TargetMode& found = answer.modes[0];
    const auto distance = [&](double lever, double eccentric) {
      const ExactLiftSummary there = SummariseExactLift(ExactKinematics(lever, eccentric));
      return std::hypot((there.maxLiftMm - target.liftMm) * kCrankDegPerMm, there.durationCrankDeg - target.durationCrankDeg);
    };
    const double stated = distance(found.lever, found.eccentric);
    SCOPED_TRACE(testing::Message() << target.liftMm << ',' << target.durationCrankDeg << ": " << found.lever << '/'
                                    << found.eccentric << " at " << stated);
    for (const auto& [dl, de] : {std::pair{0.02, 0.0}, {-0.02, 0.0}, {0.0, 0.2}, {0.0, -0.2}}) {
      const double lever = std::clamp(found.lever + dl, 0.0, 115.0);
      const double eccentric = std::clamp(found.eccentric + de, -95.0, 700.0);
      EXPECT_GE(distance(lever, eccentric), stated - 1e-9) << "off by " << dl << ',' << de;
    }
  }
}

// One solution is listed once, at the target itself, and with its timing.
TEST(TargetSolver, SearchesEndingInOneToleranceBoxAreOneModeWithItsTiming) {
  const TargetSeeds seeds = ExactSeeds(0, 115, 24, -95, 700, 33);
  for (const TargetPoint target : {TargetPoint{6, 200}, TargetPoint{8, 230}, TargetPoint{3, 100}}) {
    const TargetAnswer answer = SolveTarget(target, seeds);
    ASSERT_TRUE(answer.reachable);
    SCOPED_TRACE(testing::Message() << target.liftMm << ',' << target.durationCrankDeg);
    for (std::size_t i = 0; i < answer.modes.size(); ++i) {
      const TargetMode& mode = answer.modes[i];
      EXPECT_NEAR(mode.reached.liftMm, target.liftMm, 1e-6);
      EXPECT_NEAR(mode.reached.durationCrankDeg, target.durationCrankDeg, 1e-5);
      const ExactLiftSummary there = SummariseExactLift(ExactKinematics(mode.lever, mode.eccentric));
      EXPECT_EQ(mode.openingCrankDeg, there.openingCrankDeg);
      EXPECT_EQ(mode.closingCrankDeg, there.closingCrankDeg);
      EXPECT_EQ(mode.maxLiftCrankDeg, there.maxLiftCrankDeg);
      for (std::size_t j = 0; j < i; ++j) {
        EXPECT_GT(std::hypot(mode.lever - answer.modes[j].lever, mode.eccentric - answer.modes[j].eccentric), 1)
            << "two answers at one place";
      }
    }
  }
}

}  // namespace
