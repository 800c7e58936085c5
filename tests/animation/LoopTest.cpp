#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "AnimationRig.h"

namespace {

using RecordingRig = AnimationRig<RecordingCanvas>;
using Op = RecordingCanvas::Op;

std::vector<double> AnglesOf(const std::vector<FrameReport>& frames) {
  std::vector<double> angles;
  for (const FrameReport& f : frames) angles.push_back(f.camAngle);
  return angles;
}

long Count(const RecordingCanvas& canvas, Op op, Colour colour, double radius = -1) {
  return std::count_if(canvas.calls.begin(), canvas.calls.end(), [&](const auto& call) {
    return call.op == op && call.colour == colour && (radius < 0 || call.c == radius);
  });
}

// Revolution heads draw the grey hub circle.
long Heads(const RecordingCanvas& canvas) { return Count(canvas, Op::Circle, colours::grey, 12.5); }

TEST(AnimationLoop, FirstFrameSearchesAgainstTheUnturnedLever) {
  AnimationRig<NullCanvas> rig;
  rig.RunFrames(1);
  ASSERT_EQ(rig.host.frames.size(), 1u);
  EXPECT_EQ(rig.host.frames[0].revolution, 1);
  EXPECT_EQ(rig.host.frames[0].camAngle, 0);
  EXPECT_EQ(rig.host.frames[0].bestPitchIndex, 3210);
  EXPECT_EQ(rig.host.frames[0].bestLeverIndex, 200);
}

struct StepCase {
  int speedValue;
  std::size_t frames;
  double lastAngle;
};

class FramesPerRevolution : public ::testing::TestWithParam<StepCase> {};

TEST_P(FramesPerRevolution, RunFromZeroByTheStepWhileNotAbove359) {
  AnimationRig<NullCanvas> rig;
  rig.host.hscroll1.value = GetParam().speedValue;
  rig.RunUntilRevolution(3);
  // A new speed is taken at the first frame and restarts the revolution, so the
  // second revolution is the first that runs at it.
  const std::vector<double> angles = AnglesOf(rig.FramesOf(2));
  ASSERT_EQ(angles.size(), GetParam().frames);
  EXPECT_EQ(angles.front(), 0);
  EXPECT_EQ(angles.back(), GetParam().lastAngle);
  EXPECT_EQ(rig.vars.steep, GetParam().speedValue / 100.0);
}

INSTANTIATE_TEST_SUITE_P(Steps, FramesPerRevolution,
                         ::testing::Values(StepCase{400, 90, 356}, StepCase{25, 1437, 359},
                                           StepCase{1000, 36, 350}));

TEST(AnimationLoop, MovedVerticalBarErasesAndRestartsWithTheNewSettings) {
  RecordingRig rig;
  rig.host.script[PlainTurnOfFrame(10)] = [](ScriptedHost& h) { h.vscroll2.value = 350; };
  rig.RunUntilRevolution(2);

  // The frame in which the bar moved is abandoned after its cam outline.
  EXPECT_EQ(AnglesOf(rig.FramesOf(1)).size(), 9u);
  EXPECT_EQ(CountErasePasses(rig.canvas), 1);
  EXPECT_EQ(rig.State().seenScroll2, 350);
  EXPECT_DOUBLE_EQ(rig.State().eccentricDeg, 35);
  ASSERT_EQ(rig.FramesOf(2).size(), 1u);
  EXPECT_EQ(rig.FramesOf(2)[0].camAngle, 0);
}

TEST(AnimationLoop, ErasePassWipesTheShaftArcAndLeverOutlineOfTheLastFrame) {
  RecordingRig rig;
  std::vector<std::size_t> frameEnds;
  rig.host.onFrame = [&](const FrameReport&) { frameEnds.push_back(rig.canvas.calls.size()); };
  rig.host.script[PlainTurnOfFrame(5)] = [](ScriptedHost& h) {
    h.vscroll1.value = 20;
    h.vscroll2.value = 500;
  };
  rig.host.script[PlainTurnOfFrame(7)] = [](ScriptedHost& h) { h.End(); };
  rig.Run();
  ASSERT_EQ(frameEnds.size(), 5u);  // 4 frames before the change, 1 after

  auto dotsIn = [&](std::size_t from, std::size_t to, Colour colour) {
    std::vector<std::pair<double, double>> dots;
    for (std::size_t i = from; i < to; ++i) {
      const auto& call = rig.canvas.calls[i];
      if (call.op == Op::Point && call.width == 5 && call.colour == colour) {
        dots.emplace_back(call.a, call.b);
      }
    }
    std::sort(dots.begin(), dots.end());
    return dots;
  };
  auto drawn = dotsIn(frameEnds[2], frameEnds[3], colours::orange);
  const auto green = dotsIn(frameEnds[2], frameEnds[3], colours::green);
  drawn.insert(drawn.end(), green.begin(), green.end());
  std::sort(drawn.begin(), drawn.end());
  ASSERT_EQ(drawn.size(), 71u + 285u);
  EXPECT_EQ(dotsIn(frameEnds[3], frameEnds[4], colours::white), drawn);
}

TEST(AnimationLoop, SpeedChangeErasesAndRestartsAtTheNewStep) {
  AnimationRig<NullCanvas> rig;
  rig.host.script[PlainTurnOfFrame(6)] = [](ScriptedHost& h) { h.hscroll1.value = 1000; };
  rig.RunUntilRevolution(3);
  EXPECT_EQ(AnglesOf(rig.FramesOf(1)), (std::vector<double>{0, 4, 8, 12, 16}));
  const std::vector<double> second = AnglesOf(rig.FramesOf(2));
  ASSERT_EQ(second.size(), 36u);
  EXPECT_EQ(second[1], 10);
}

TEST(AnimationLoop, BothKindsOfBarInOneTurnGiveTwoErasePasses) {
  RecordingRig rig;
  rig.host.script[PlainTurnOfFrame(6)] = [](ScriptedHost& h) {
    h.vscroll1.value = 30;
    h.hscroll1.value = 1000;
  };
  rig.RunUntilRevolution(4);
  EXPECT_EQ(rig.FramesOf(1).size(), 5u);
  // The second revolution still has the old step; its first frame takes the new
  // one and erases again before completing.
  EXPECT_TRUE(rig.FramesOf(2).empty());
  EXPECT_EQ(rig.FramesOf(3).size(), 36u);
  EXPECT_EQ(CountErasePasses(rig.canvas), 2);
  EXPECT_EQ(Heads(rig.canvas), 4);
}

TEST(AnimationLoop, PauseGivesWaitingTurnsUntilThePointerLeaves) {
  AnimationRig<NullCanvas> rig;
  rig.host.script[PacingTurnOfFrame(2)] = [&](ScriptedHost&) { rig.vars.stp = 1; };
  rig.host.script[PacingTurnOfFrame(2) + 5] = [&](ScriptedHost&) { rig.vars.stp = 0; };
  rig.RunFrames(3);
  const std::vector<Turn>& kinds = rig.host.turnKinds;
  ASSERT_GE(kinds.size(), 10u);
  EXPECT_EQ(kinds[3], Turn::FramePacing);
  for (std::size_t i = 4; i <= 8; ++i) EXPECT_EQ(kinds[i], Turn::Paused) << i;
  EXPECT_EQ(kinds[9], Turn::Plain);
  EXPECT_EQ(AnglesOf(rig.host.frames), (std::vector<double>{0, 4, 8}));
}

TEST(AnimationLoop, EndingWhilePausedReturnsWithoutFinishingTheFrame) {
  AnimationRig<NullCanvas> rig;
  rig.host.script[PacingTurnOfFrame(1)] = [&](ScriptedHost&) { rig.vars.stp = 1; };
  rig.host.maxTurns = 50;
  rig.Run();
  EXPECT_TRUE(rig.host.frames.empty());
  EXPECT_EQ(rig.host.turns, 50);
}

TEST(AnimationLoop, SpeedMovedWhilePausedIsSeenInTheSameFrame) {
  AnimationRig<NullCanvas> rig;
  rig.host.script[PacingTurnOfFrame(3)] = [&](ScriptedHost&) { rig.vars.stp = 1; };
  rig.host.script[PacingTurnOfFrame(3) + 1] = [](ScriptedHost& h) { h.hscroll1.value = 1000; };
  rig.host.script[PacingTurnOfFrame(3) + 2] = [&](ScriptedHost&) { rig.vars.stp = 0; };
  rig.RunUntilRevolution(3);
  EXPECT_EQ(AnglesOf(rig.FramesOf(1)), (std::vector<double>{0, 4}));
  EXPECT_EQ(rig.FramesOf(2).size(), 36u);
}

TEST(AnimationLoop, ClearContinuesTheRevolutionAtTheStep) {
  RecordingRig rig;
  rig.canvas.Clear();
  rig.host.script[PlainTurnOfFrame(5)] = [&](ScriptedHost&) { rig.vars.cls1 = 1; };
  rig.RunFrames(8);
  EXPECT_EQ(AnglesOf(rig.host.frames), (std::vector<double>{0, 4, 8, 12, 16, 4, 8, 12}));
  for (const FrameReport& f : rig.host.frames) EXPECT_EQ(f.revolution, 1);
  EXPECT_EQ(rig.vars.cls1, 0);
  EXPECT_EQ(std::count_if(rig.canvas.calls.begin(), rig.canvas.calls.end(),
                          [](const auto& call) { return call.op == Op::Cls; }),
            1);
  EXPECT_EQ(rig.host.textPagesShown, 2);  // start-up and the clear
  EXPECT_EQ(rig.vars.init, 3);            // counted again from the new background
  EXPECT_EQ(rig.State().seenScroll1, 60);
}

TEST(AnimationLoop, InitStopsCountingPastTenAndTealPartsStopAtTen) {
  RecordingRig rig;
  rig.canvas.Clear();
  rig.RunFrames(30);
  EXPECT_EQ(rig.vars.init, 11);
  EXPECT_EQ(Count(rig.canvas, Op::Box, colours::teal), 10);
  EXPECT_EQ(Count(rig.canvas, Op::FilledBox, colours::teal), 20);
}

// Counts drawing calls with a coordinate that is not finite.
class FiniteCheckingCanvas final : public Canvas {
 public:
  long bad = 0;
  long shapes = 0;
  void Cls() override {}
  void SetPenColour(Colour) override {}
  void SetPenWidth(int) override {}
  void Line(double a, double b, double c, double d) override { Check({a, b, c, d}); }
  void Box(double a, double b, double c, double d) override { Check({a, b, c, d}); }
  void FilledBox(double a, double b, double c, double d) override { Check({a, b, c, d}); }
  void Circle(double x, double y, double r) override { Check({x, y, r}); }
  void CircleInColour(double x, double y, double r, Colour) override { Check({x, y, r}); }
  void Point(double x, double y) override { Check({x, y}); }

 private:
  void Check(std::initializer_list<double> values) {
    ++shapes;
    for (double v : values) bad += std::isfinite(v) ? 0 : 1;
  }
};

TEST(AnimationLoop, RandomSettingsAtEverySpeedDrawOnlyFiniteCoordinates) {
  AnimationRig<FiniteCheckingCanvas> rig;
  std::mt19937 generator(7);
  std::uniform_real_distribution<float> uniform(0.0f, 1.0f);
  for (int i = 0; i < 400; ++i) rig.host.randomNumbers.push_back(uniform(generator));
  rig.vars.rad1 = 1;
  std::uniform_int_distribution<int> speed(25, 1000);
  rig.host.everyTurn = [&](ScriptedHost& h) {
    if (h.turns % 97 == 0) h.hscroll1.value = speed(generator);
  };
  rig.RunUntilRevolution(60);
  EXPECT_GT(rig.canvas.shapes, 100000);
  EXPECT_EQ(rig.canvas.bad, 0);
  for (const FrameReport& f : rig.host.frames) {
    ASSERT_TRUE(std::isfinite(f.valveY) && std::isfinite(f.X) && std::isfinite(f.Y));
  }
}

}  // namespace
