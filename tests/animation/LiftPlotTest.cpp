#include <gtest/gtest.h>

#include <cmath>

#include "AnimationRig.h"
#include "animation/LiftPlot.h"

namespace {

using Op = RecordingCanvas::Op;

struct Segment {
  double prevAngle;
  double angle;
  bool drawn;
};

class LiftPlotSegments : public ::testing::TestWithParam<Segment> {};

TEST_P(LiftPlotSegments, DrawOnlyForwardFromAPositiveAngleBelow189) {
  AnimationState state;
  RecordingCanvas canvas;
  state.prevPlotAngle = GetParam().prevAngle;
  state.camAngle = GetParam().angle;
  state.prevValveY = -1;
  state.valveY = -1.5;
  LiftPlotStep(state, canvas);

  EXPECT_EQ(state.prevPlotAngle, GetParam().angle);
  EXPECT_EQ(canvas.penColour, colours::red);
  EXPECT_EQ(canvas.penWidth, 1);
  const auto shapes = canvas.Shapes();
  ASSERT_EQ(shapes.size(), GetParam().drawn ? 1u : 0u);
  if (!GetParam().drawn) return;
  EXPECT_EQ(shapes[0].op, Op::Line);
  EXPECT_EQ(shapes[0].width, 2);
  EXPECT_EQ(shapes[0].colour, colours::red);
  EXPECT_DOUBLE_EQ(shapes[0].a, -125 + 0.7 * GetParam().prevAngle);
  EXPECT_DOUBLE_EQ(shapes[0].b, -35);
  EXPECT_DOUBLE_EQ(shapes[0].c, -125 + 0.7 * GetParam().angle);
  EXPECT_DOUBLE_EQ(shapes[0].d, -30);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, LiftPlotSegments,
    ::testing::Values(Segment{356, 0, false},   // a revolution's first frame
                      Segment{0, 4, false},     // and its second
                      Segment{4, 8, true}, Segment{184, 188, true},
                      Segment{188, 192, false}, Segment{170, 180, true},
                      Segment{180, 190, false}, Segment{16, 4, false}));  // after a clear

TEST(LiftPlot, EachRevolutionAtStepFourTracesCamAngles4To188) {
  AnimationRig<RecordingCanvas> rig;
  rig.RunUntilRevolution(3);
  std::vector<RecordingCanvas::Call> segments;
  for (const auto& call : rig.canvas.Shapes()) {
    // Plot segments advance by 0.7 * 4; the red marker crosses are 0, 2 or 4 wide.
    const bool plotSegment = std::abs(call.c - call.a - 0.7 * 4) < 1e-9;
    if (call.op == Op::Line && call.colour == colours::red && call.width == 2 && plotSegment) {
      segments.push_back(call);
    }
  }
  // Two whole revolutions of 46 segments; the third's first frame draws none.
  ASSERT_EQ(segments.size(), 92u);
  for (std::size_t first : {0u, 46u}) {
    EXPECT_DOUBLE_EQ(segments[first].a, -125 + 0.7 * 4);
    EXPECT_DOUBLE_EQ(segments[first + 45].c, -125 + 0.7 * 188);
  }
}

}  // namespace
