// The mode map's revolutions are the window's: the same frames, pairs and positions,
// to the last bit, as the animation loop computes once a mode has run a revolution.
#include <gtest/gtest.h>

#include <ostream>

#include "analysis/DemonstrationRevolution.h"
#include "animation/AnimationRig.h"

namespace {

struct Case {
  ModeSetting mode;
  int speed;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << "lever " << c.mode.lever << " eccentric " << c.mode.eccentric << " speed " << c.speed;
}

class SteadyRevolution : public ::testing::TestWithParam<Case> {};

TEST_P(SteadyRevolution, IsTheRevolutionTheWindowComputes) {
  const Case c = GetParam();
  AnimationRig<NullCanvas> rig;
  rig.host.vscroll1.value = c.mode.lever;
  rig.host.vscroll2.value = c.mode.eccentric;
  rig.host.hscroll1.value = c.speed;
  rig.RunUntilRevolution(3);
  // The first revolution starts from the tables at rest (and restarts at any speed
  // but the start-up one); the second is the steady one.
  const std::vector<FrameReport> window = rig.FramesOf(2);

  DemonstrationModel model;
  DemonstrationRevolution revolution;
  // Another mode first: nothing of it may carry over.
  model.Run({115, -95}, 1000, revolution);
  model.Run(c.mode, c.speed, revolution);

  ASSERT_EQ(revolution.frames.size(), window.size());
  EXPECT_EQ(revolution.unsolvedFrames, 0);
  for (std::size_t i = 0; i < window.size(); ++i) {
    const DemonstrationFrame& f = revolution.frames[i];
    const FrameReport& w = window[i];
    ASSERT_EQ(f.camAngle, w.camAngle) << i;
    ASSERT_EQ(f.bestPitchIndex, w.bestPitchIndex) << i;
    ASSERT_EQ(f.bestLeverIndex, w.bestLeverIndex) << i;
    ASSERT_EQ(f.rollerX, w.rollerX) << i;
    ASSERT_EQ(f.rollerY, w.rollerY) << i;
    ASSERT_EQ(f.X, w.X) << i;
    ASSERT_EQ(f.Y, w.Y) << i;
    ASSERT_EQ(f.valveY, w.valveY) << i;
    ASSERT_TRUE(f.solved);
  }
  EXPECT_EQ(revolution.leverAngleRad, rig.State().leverAngle);
  EXPECT_EQ(revolution.eccentricDeg, rig.State().eccentricDeg);

  const std::vector<LiftSample> curve = revolution.LiftCurve();
  ASSERT_EQ(curve.size(), window.size());
  EXPECT_EQ(curve[1].crankDeg, 2 * window[1].camAngle);
  EXPECT_EQ(curve[1].liftMm, -window[1].valveY);
}

// Where the linkage has no solution the window keeps the last valve position; that
// stale height must not pass for a lift of the frame.
TEST(DemonstrationRevolution, LiftCurveLeavesOutFramesWithoutASolution) {
  DemonstrationRevolution revolution;
  revolution.frames = {{.camAngle = 0, .valveY = -1, .solved = true},
                       {.camAngle = 4, .valveY = -1, .solved = false},
                       {.camAngle = 8, .valveY = -3, .solved = true}};
  const std::vector<LiftSample> curve = revolution.LiftCurve();
  ASSERT_EQ(curve.size(), 2u);
  EXPECT_EQ(curve[1].crankDeg, 16);
  EXPECT_EQ(curve[1].liftMm, 3);
}

INSTANTIATE_TEST_SUITE_P(Modes, SteadyRevolution,
                         ::testing::Values(Case{{60, 200}, 400}, Case{{0, 700}, 400}, Case{{115, -95}, 400},
                                           Case{{37, 513}, 1000}, Case{{101, 650}, 37}, Case{{0, 0}, 25}));

}  // namespace
