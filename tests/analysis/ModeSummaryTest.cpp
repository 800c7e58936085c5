#include <gtest/gtest.h>

#include <vector>

#include "analysis/ModeSummary.h"

namespace {

// A lift curve sampled every `step` crank degrees over the cycle.
template <class Lift>
std::vector<LiftSample> Sampled(double step, Lift lift) {
  std::vector<LiftSample> samples;
  for (double crank = 0; crank < kCycleCrankDeg; crank += step) samples.push_back({crank, lift(crank)});
  return samples;
}

// Rises linearly from 0 at `open` to `peak` halfway and falls back to 0 at `close`;
// closed elsewhere.
auto Tent(double open, double close, double peak) {
  return [=](double crank) {
    const double middle = (open + close) / 2;
    if (crank <= open || crank >= close) return 0.0;
    return crank <= middle ? peak * (crank - open) / (middle - open) : peak * (close - crank) / (close - middle);
  };
}

TEST(ModeSummary, CrossingsAreInterpolatedBetweenSamples) {
  // Samples every 7 degrees, none on a crossing: the tent rises by 5 mm over 102
  // degrees from 98 and falls back to 0 at 302.
  const ModeSummary summary = SummariseLift(Sampled(7, Tent(98, 302, 5)));
  EXPECT_DOUBLE_EQ(*summary.maxLiftMm, 5 * 99 / 102.0);  // the sample at 203
  EXPECT_EQ(*summary.maxLiftCrankDeg, 203);
  EXPECT_TRUE(summary.opens);
  EXPECT_NEAR(*summary.atFullLift.openingCrankDeg, 98 + 102 / 5.0, 1e-9);
  EXPECT_NEAR(*summary.atFullLift.closingCrankDeg, 302 - 102 / 5.0, 1e-9);
  EXPECT_NEAR(*summary.atFullLift.durationCrankDeg, 204 - 2 * 102 / 5.0, 1e-9);
  EXPECT_NEAR(*summary.atOpeningLift.openingCrankDeg, 98 + 102 / 50.0, 1e-9);
  EXPECT_NEAR(*summary.atOpeningLift.closingCrankDeg, 302 - 102 / 50.0, 1e-9);
}

TEST(ModeSummary, ThresholdsNeverReachedLeaveTheirCellsEmpty) {
  const ModeSummary low = SummariseLift(Sampled(4, Tent(100, 300, 0.5)));
  EXPECT_TRUE(low.opens);
  EXPECT_TRUE(low.atOpeningLift.durationCrankDeg.has_value());
  EXPECT_FALSE(low.atFullLift.openingCrankDeg || low.atFullLift.closingCrankDeg || low.atFullLift.durationCrankDeg);

  // A closed valve whose pin wobbles by a few hundredths, as the sampled search gives.
  const ModeSummary closed = SummariseLift(Sampled(4, [](double crank) { return 0.03 * ((int(crank) / 4) % 3 - 1); }));
  EXPECT_FALSE(closed.opens);
  EXPECT_FALSE(closed.atOpeningLift.durationCrankDeg || closed.atOpeningLift.openingCrankDeg);
  EXPECT_NEAR(*closed.maxLiftMm, 0.03, 1e-15);

  const ModeSummary nothing = SummariseLift({});
  EXPECT_FALSE(nothing.maxLiftMm || nothing.maxLiftCrankDeg || nothing.opens);
}

TEST(ModeSummary, AnOpeningAcrossTheCycleEndWrapsRound) {
  // Open from 650 over 720 (= 0) to 70: the curve repeats every cycle.
  const auto lift = [](double crank) { return Tent(650, 790, 4)(crank < 360 ? crank + 720 : crank); };
  const ModeSummary summary = SummariseLift(Sampled(6, lift));
  EXPECT_NEAR(*summary.atFullLift.openingCrankDeg, 650 + 70 / 4.0, 1e-9);
  EXPECT_NEAR(*summary.atFullLift.closingCrankDeg, 790 - 70 / 4.0 - 720, 1e-9);
  EXPECT_NEAR(*summary.atFullLift.durationCrankDeg, 140 - 70 / 2.0, 1e-9);
  EXPECT_EQ(*summary.maxLiftCrankDeg, 0);
}

TEST(ModeSummary, AWobbleOnAFlankDoesNotSplitTheOpening) {
  // On the way up the lift passes 1 mm, dips below it, and rises again.
  std::vector<LiftSample> samples = Sampled(10, Tent(100, 300, 5));
  for (LiftSample& s : samples) {
    if (s.crankDeg == 130) s.liftMm = 1.6;
    if (s.crankDeg == 140) s.liftMm = 0.9;
  }
  const ThresholdTiming timing = TimingAt(samples, 1.0);
  EXPECT_NEAR(*timing.openingCrankDeg, 120, 1e-9);  // not the second rise, past 140
  EXPECT_NEAR(*timing.closingCrankDeg, 280, 1e-9);
}

TEST(ModeSummary, AlwaysAboveTheThresholdLastsTheWholeCycle) {
  const ThresholdTiming timing = TimingAt(Sampled(10, [](double crank) { return 2 + crank / 720; }), 1.0);
  EXPECT_EQ(*timing.durationCrankDeg, kCycleCrankDeg);
  EXPECT_FALSE(timing.openingCrankDeg || timing.closingCrankDeg);
}

TEST(ModeSummary, TheFirstSampleAtTheMaximumGivesItsAngle) {
  const ModeSummary summary =
      SummariseLift(Sampled(10, [](double crank) { return crank >= 200 && crank <= 240 ? 3.0 : 0.0; }));
  EXPECT_EQ(*summary.maxLiftMm, 3);
  EXPECT_EQ(*summary.maxLiftCrankDeg, 200);
}

}  // namespace
