// A mode's loads over the cycle: the jumps where a curvature changes, the separation
// speed, and the summary's peaks.
#include "analysis/LoadSeries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "analysis/ModeSetting.h"
#include "analysis/SvajSeries.h"
#include "animation/ControlDesign.h"

namespace {

TEST(LoadSeries, JumpRowsAreTheLimitsFromEitherSide) {
  // At every hand-over of the lever's arcs and join of the cam's lobe and base circle,
  // the two rows equal what the neighbouring angles tend to, and the valve force (with
  // the acceleration) really jumps at some of them.
  LoadParameters parameters;
  int jumpsSeen = 0;
  for (const auto& [lever, eccentric] : {std::pair{60.0, 200.0}, {0.0, 700.0}, {94.0, 700.0}}) {
    const ExactKinematics model(lever, eccentric);
    const std::vector<LoadRow> rows = LoadSeries(model, parameters, {});
    ASSERT_FALSE(rows.empty());
    for (std::size_t i = 0; i + 1 < rows.size(); i += 2) {
      const LoadRow& before = rows[i];
      const LoadRow& after = rows[i + 1];
      ASSERT_EQ(before.side, -1);
      ASSERT_EQ(after.side, +1);
      ASSERT_EQ(before.crankDeg, after.crankDeg);
      const double near = 1e-6;  // crank degrees
      const LoadRow below = LoadsAt(model, parameters, before.crankDeg - near);
      const LoadRow above = LoadsAt(model, parameters, after.crankDeg + near);
      SCOPED_TRACE(testing::Message() << lever << ',' << eccentric << " at " << before.crankDeg);
      const double tolerance = 1e-3 + 1e-4 * std::abs(before.valveForceN - after.valveForceN);
      EXPECT_NEAR(before.valveForceN, below.valveForceN, tolerance);
      EXPECT_NEAR(after.valveForceN, above.valveForceN, tolerance);
      EXPECT_NEAR(before.greenTorqueNm, below.greenTorqueNm, tolerance);
      EXPECT_NEAR(after.greenTorqueNm, above.greenTorqueNm, tolerance);
      if (std::abs(before.valveForceN - after.valveForceN) > 100) ++jumpsSeen;
    }
  }
  EXPECT_GE(jumpsSeen, 3);
}

TEST(LoadSeries, PeaksAtAJumpDoNotDependOnTheStep) {
  // The window's start mode takes its largest green-shaft torque where the roller
  // leaves the corner arc for the pivot arc: the same peak at any step.
  const ExactKinematics model(60, 200);
  const LoadSummary coarse = SummariseLoads(LoadSeries(model, LoadParameters{}, CrankAngles(5)));
  const LoadSummary fine = SummariseLoads(LoadSeries(model, LoadParameters{}, CrankAngles(0.3)));
  ASSERT_TRUE(coarse.green.peakNm && fine.green.peakNm);
  EXPECT_EQ(coarse.green.peakNm->value, fine.green.peakNm->value);
  EXPECT_EQ(coarse.green.peakNm->crankDeg, fine.green.peakNm->crankDeg);
  // The map's brief seated rows give the same summary.
  const LoadSummary brief = SummariseLoads(LoadSeries(model, LoadParameters{}, CrankAngles(5), SeatedRows::Brief));
  EXPECT_EQ(brief.largestPressureAngleDeg->value, coarse.largestPressureAngleDeg->value);
  EXPECT_EQ(brief.smallestCamRadiusMm->value, coarse.smallestCamRadiusMm->value);
  EXPECT_EQ(brief.separationRpm->value, coarse.separationRpm->value);
}

TEST(LoadSeries, SeparationSpeedBracketsTheRowsThatSeparate) {
  // Found from one cycle at one speed, the separation speed holds at any other: 1 %
  // below it no row separates, 1 % above it some row does.
  for (const auto& [lever, eccentric] : {std::pair{94.0, 700.0}, {0.0, 700.0}, {37.25, 412.5}}) {
    const ExactKinematics model(lever, eccentric);
    const std::vector<double> angles = CrankAngles(0.5);
    LoadParameters parameters;
    parameters.rpm = 3000;
    const LoadSummary summary = SummariseLoads(LoadSeries(model, parameters, angles));
    ASSERT_TRUE(summary.separationRpm);
    const double separation = summary.separationRpm->value;
    SCOPED_TRACE(testing::Message() << lever << ',' << eccentric << ": " << separation << " rpm");
    const auto separatedRows = [&](double rpm) {
      parameters.rpm = rpm;
      return SummariseLoads(LoadSeries(model, parameters, angles)).separatedRows;
    };
    EXPECT_EQ(separatedRows(0.99 * separation), 0);
    EXPECT_GT(separatedRows(1.01 * separation), 0);
    // At rest there is no inertia, yet the speed at which it would lift the valve off
    // is the same.
    const LoadSummary atRest = SummariseLoads(LoadSeries(model, LoadParameters{.rpm = 0}, angles));
    ASSERT_TRUE(atRest.separationRpm);
    EXPECT_NEAR(atRest.separationRpm->value, separation, 1e-9 * separation);
    EXPECT_EQ(atRest.separationRpm->crankDeg, summary.separationRpm->crankDeg);
  }
}

TEST(LoadSeries, SeparationSpeedIsTheContinuousCyclesLowestWhereverTheRowsLie) {
  // From the map's rows (every 8 crank degrees and the jumps) and from rows every
  // tenth of a degree, the same lowest speed, and no higher than any row of a dense
  // sampling nor above its lowest by more than that sampling can miss.
  LoadParameters parameters;
  parameters.rpm = 6000;
  for (const auto& [lever, eccentric] : {std::pair{85.0, 700.0}, {37.25, 412.5}, {60.0, 200.0}}) {
    const ExactKinematics model(lever, eccentric);
    const auto lowest = [&](double step, SeatedRows seated) {
      return SummariseLoads(model, parameters, LoadSeries(model, parameters, CrankAngles(step), seated)).separationRpm;
    };
    const std::optional<AtCrank> map = lowest(8, SeatedRows::Brief);
    const std::optional<AtCrank> fine = lowest(0.1, SeatedRows::Full);
    const std::optional<AtCrank> dense = SummariseLoads(LoadSeries(model, parameters, CrankAngles(0.01))).separationRpm;
    ASSERT_TRUE(map && fine && dense);
    SCOPED_TRACE(testing::Message() << lever << ',' << eccentric << ": " << map->value << " rpm");
    EXPECT_NEAR(map->value, fine->value, 1e-6);
    EXPECT_NEAR(map->crankDeg, fine->crankDeg, 1e-4);
    EXPECT_LE(map->value, dense->value + 1e-9);
    EXPECT_GE(map->value, dense->value - 0.01);
  }
  // The mode where sampling every 8 degrees read 12 rpm high.
  const ExactKinematics model(85, 700);
  const LoadSummary sampled = SummariseLoads(LoadSeries(model, parameters, CrankAngles(8), SeatedRows::Brief));
  const LoadSummary continuous =
      SummariseLoads(model, parameters, LoadSeries(model, parameters, CrankAngles(8), SeatedRows::Brief));
  EXPECT_GT(sampled.separationRpm->value - continuous.separationRpm->value, 10);
}

// Every contact stays in compression while the valve is held, over the modes of the
// integer grid taken every eccentricStride-th eccentric value (and the last), at the
// window's 90 frame angles of speed 400 and at every jump. Which contact would pull is
// a matter of the geometry alone (every contact force is the valve force times a ratio
// of the positions), so one set of parameters answers for all. Returns the first mode
// with a contact lost, if any.
std::optional<ModeSetting> FirstModeWithALostContact(int eccentricStride) {
  const ControlDesign& leverBar = ControlDesignNamed("VScroll1");
  const ControlDesign& eccentricBar = ControlDesignNamed("VScroll2");
  std::vector<ModeSetting> modes;
  for (int lever = leverBar.min; lever <= leverBar.max; ++lever) {
    for (int eccentric = eccentricBar.min; eccentric <= eccentricBar.max; eccentric += eccentricStride) {
      modes.push_back({lever, eccentric});
    }
    if ((eccentricBar.max - eccentricBar.min) % eccentricStride != 0) modes.push_back({lever, eccentricBar.max});
  }
  const std::vector<double> angles = CrankAngles(8);
  for (const ModeSetting& mode : modes) {
    const ExactKinematics model(mode.lever, mode.eccentric);
    if (SummariseLoads(LoadSeries(model, LoadParameters{}, angles, SeatedRows::Brief)).lostRows > 0) return mode;
  }
  return std::nullopt;
}

TEST(LoadSeries, NoContactPullsOverTheGrid) {
  // Every lever value with every 25th eccentric value: quick, and what the sanitized
  // build checks.
  const auto mode = FirstModeWithALostContact(25);
  EXPECT_FALSE(mode) << mode->lever << ',' << mode->eccentric;
}

TEST(LoadSeries, NoContactPullsOverTheWholeIntegerGrid) {
#ifdef __SANITIZE_ADDRESS__
  // 92,336 modes take about 20 s plain and over 3 minutes sanitized; the strided grid
  // above runs the same code there.
  GTEST_SKIP() << "the whole grid runs in the plain build";
#endif
  const auto mode = FirstModeWithALostContact(1);
  EXPECT_FALSE(mode) << mode->lever << ',' << mode->eccentric;
}

}  // namespace
