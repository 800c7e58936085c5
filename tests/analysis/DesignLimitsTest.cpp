// A mode's flags against the limits a designer sets: each fires exactly when the mode's
// own figure crosses its limit, and the engine speed the loads are taken at decides
// whether the rows still describe the motion.
#include "analysis/DesignLimits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/SvajSeries.h"

namespace {

bool Flags(const std::vector<LimitFlag>& flags, LimitKind kind) {
  return std::any_of(flags.begin(), flags.end(), [kind](const LimitFlag& f) { return f.kind == kind; });
}

TEST(DesignLimits, EachFlagFiresExactlyWhenItsLimitIsCrossed) {
  // A real mode's figures at 6,000 rpm with massive rollers; each limit set a hair on
  // either side of the mode's own figure, the others left where they do not fire.
  LoadParameters parameters;
  parameters.bodies = {17.8, 20, 0, 0};
  const ExactKinematics model(71, 700);
  const LoadSummary summary = SummariseLoads(model, parameters, LoadSeries(model, parameters, CrankAngles(2)));
  LimitedFigures figures = FiguresOf(summary, std::nullopt);
  figures.smallestFilmRatio = AtCrank{0.8, 300};
  figures.seatingVelocityMPerS = 0.7;
  ASSERT_TRUE(figures.separationRpm && figures.firstContactLossRpm && figures.peakCamHertzMPa &&
              figures.largestPressureAngleDeg);
  const auto quiet = [&] {
    DesignLimits limits;
    limits.minSeparationRpm = 1;
    limits.allowableCamHertzMPa = 1e9;
    limits.maxPressureAngleDeg = 90;
    limits.minFilmRatio = 0;
    limits.maxSeatingVelocityMPerS = 1e9;
    return limits;
  };
  ASSERT_TRUE(FlagsAgainstLimits(figures, quiet()).empty());
  struct Case {
    LimitKind kind;
    double value;
    void (*set)(DesignLimits&, double);
    bool crossedAbove;  // the limit is crossed by a figure above it
  };
  const Case cases[] = {
      {LimitKind::Separation, figures.separationRpm->value, [](DesignLimits& l, double v) { l.minSeparationRpm = v; }, false},
      {LimitKind::ContactLoss, figures.firstContactLossRpm->value,
       [](DesignLimits& l, double v) { l.minSeparationRpm = v; }, false},
      {LimitKind::CamHertz, figures.peakCamHertzMPa->value, [](DesignLimits& l, double v) { l.allowableCamHertzMPa = v; }, true},
      {LimitKind::PressureAngle, figures.largestPressureAngleDeg->value,
       [](DesignLimits& l, double v) { l.maxPressureAngleDeg = v; }, true},
      {LimitKind::FilmRatio, 0.8, [](DesignLimits& l, double v) { l.minFilmRatio = v; }, false},
      {LimitKind::SeatingVelocity, 0.7, [](DesignLimits& l, double v) { l.maxSeatingVelocityMPerS = v; }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(LimitName(c.kind));
    const double hair = 1e-9 * c.value;
    for (const double limit : {c.value - hair, c.value, c.value + hair}) {
      DesignLimits limits = quiet();
      c.set(limits, limit);
      const std::vector<LimitFlag> flags = FlagsAgainstLimits(figures, limits);
      const bool crossed = c.crossedAbove ? c.value > limit : c.value < limit;
      EXPECT_EQ(Flags(flags, c.kind), crossed) << limit;
      for (const LimitFlag& flag : flags) {
        if (flag.kind != c.kind) continue;
        EXPECT_EQ(flag.value, c.value);
        EXPECT_EQ(flag.limit, limit);
        EXPECT_FALSE(flag.pastTheSpeed);  // at rest: no engine speed to run past
      }
    }
  }
  EXPECT_NE(figures.separationRpm->value, figures.firstContactLossRpm->value);
}

TEST(DesignLimits, RunningPastSeparationIsFlaggedWhateverSpeedIsAsked) {
  // 98/700 separates below 6,000 rpm. At 6,000 rpm it is flagged and the rows past it
  // are said not to describe the motion, even if a lower limit is asked for; at 5,000
  // rpm it is not, unless the limit asks for 6,000.
  const LoadParameters parameters;
  const ExactKinematics model(98, 700);
  const LoadSummary summary = SummariseLoads(model, parameters, LoadSeries(model, parameters, CrankAngles(8)));
  ASSERT_TRUE(summary.separationRpm);
  ASSERT_LT(summary.separationRpm->value, 6000);
  ASSERT_GT(summary.separationRpm->value, 5000);
  DesignLimits lower;
  lower.minSeparationRpm = 4000;
  for (const DesignLimits& limits : {DesignLimits{}, lower}) {
    const std::vector<LimitFlag> flags = FlagsAgainstLimits(FiguresOf(summary, 6000), limits);
    ASSERT_TRUE(Flags(flags, LimitKind::Separation));
    EXPECT_TRUE(flags.front().pastTheSpeed);
    EXPECT_EQ(flags.front().limit, 6000);
  }
  EXPECT_FALSE(Flags(FlagsAgainstLimits(FiguresOf(summary, 5000), {}), LimitKind::Separation));
  DesignLimits margin;
  margin.minSeparationRpm = 6000;
  const std::vector<LimitFlag> flags = FlagsAgainstLimits(FiguresOf(summary, 5000), margin);
  ASSERT_TRUE(Flags(flags, LimitKind::Separation));
  EXPECT_FALSE(flags.front().pastTheSpeed);
  // At rest only a given speed is judged.
  EXPECT_FALSE(Flags(FlagsAgainstLimits(FiguresOf(summary, std::nullopt), {}), LimitKind::Separation));
  EXPECT_EQ(LimitNames(flags).substr(0, 10), "separation");
}

}  // namespace
