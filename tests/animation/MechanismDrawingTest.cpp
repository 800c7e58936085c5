#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "KinematicsFixture.h"
#include "animation/FrameKinematics.h"
#include "animation/ErasePass.h"
#include "animation/Linkage.h"
#include "animation/MechanismDrawing.h"
#include "support/RecordingCanvas.h"

namespace {

using Op = RecordingCanvas::Op;

// Consecutive shapes of the same kind, colour and pen width, with their number.
struct ShapeRun {
  Op op;
  Colour colour;
  int width;
  int count;
  friend bool operator==(const ShapeRun&, const ShapeRun&) = default;
  friend std::ostream& operator<<(std::ostream& out, const ShapeRun& run) {
    return out << "{op " << static_cast<int>(run.op) << ", rgb " << int(run.colour.r) << ","
               << int(run.colour.g) << "," << int(run.colour.b) << ", width " << run.width
               << ", x" << run.count << "}";
  }
};

std::vector<ShapeRun> ShapeRuns(const RecordingCanvas& canvas) {
  std::vector<ShapeRun> runs;
  for (const auto& call : canvas.Shapes()) {
    if (!runs.empty() && runs.back().op == call.op && runs.back().colour == call.colour &&
        runs.back().width == call.width) {
      ++runs.back().count;
    } else {
      runs.push_back({call.op, call.colour, call.width, 1});
    }
  }
  return runs;
}

class MechanismDrawing : public KinematicsFixture {
 protected:
  MechanismDrawing() {
    SetControlShafts(S(), 60, 200);
    TurnLeverCurve(S());
    TurnCamTo(40);
  }

  void DrawFrame() { DrawOrdinaryFrame(FrameKinematics(S(), vars), S().constants, vars.init, canvas); }

  WindowVariables vars;
  RecordingCanvas canvas;
};

TEST_F(MechanismDrawing, OrdinaryFrameDrawsItsElevenElementsInOrder) {
  DrawFrame();

  const std::vector<ShapeRun> expected = {
      {Op::Point, colours::orange, 5, 71},                                      // shaft arc
      {Op::Circle, colours::white, 1, 2},   {Op::Circle, colours::red, 1, 2},   // free roller
      {Op::Line, colours::white, 15, 1},    {Op::Box, colours::white, 1, 1},    // old rod, valve
      {Op::Circle, colours::white, 1, 3},                                       // pin, roller
      {Op::Line, colours::darkBlue, 15, 1}, {Op::Box, colours::blue, 1, 1},     // rod, valve
      {Op::Circle, colours::blue, 1, 3},                                        // pin, roller
      {Op::Line, colours::red, 2, 8},                                           // four crosses
      {Op::Box, colours::teal, 3, 1},       {Op::FilledBox, colours::teal, 1, 2},
      {Op::CircleInColour, colours::colourValue1, 1, 1},                        // cam hub
      {Op::Point, colours::green, 5, 285},                                      // lever outline
  };
  EXPECT_EQ(ShapeRuns(canvas), expected);
  EXPECT_EQ(canvas.penWidth, 1);
  EXPECT_EQ(vars.init, 1);
}

TEST_F(MechanismDrawing, LeverOutlineLiesOutsideEachOfTheThreeArcs) {
  DrawFrame();
  const AnimationState& s = S();
  const MechanismConstants& k = s.constants;
  std::vector<RecordingCanvas::Call> dots;
  for (const auto& call : canvas.Shapes()) {
    if (call.colour == colours::green) dots.push_back(call);
  }
  // In index order: entries 750..1470 about the pivot, 1480..2990 about the corner
  // centre, 3010..3600 about the flank centre; entry 3000 has none.
  ASSERT_EQ(dots.size(), 73u + 152u + 60u);
  auto distance = [](const RecordingCanvas::Call& dot, double x, double y) {
    return std::hypot(dot.a - x, dot.b - y);
  };
  for (std::size_t n = 0; n < 73; ++n) {
    EXPECT_NEAR(distance(dots[n], k.leverPivotX, k.leverPivotY), 24.5, 1e-6) << n;
  }
  for (std::size_t n = 73; n < 225; ++n) {
    EXPECT_NEAR(distance(dots[n], s.cornerNowX, s.cornerNowY), 7, 1e-6) << n;
  }
  for (std::size_t n = 225; n < dots.size(); ++n) {
    // The first lies on the corner arc, just before it meets the flank arc.
    EXPECT_NEAR(distance(dots[n], s.flankNowX, s.flankNowY), 35.5, 0.01) << n;
  }
}

TEST_F(MechanismDrawing, ErasePassWhitensTheSettingDependentPartsInOrder) {
  S().prevX = 3;
  S().prevY = 4;
  RunErasePass(S(), canvas);

  const std::vector<ShapeRun> expected = {
      {Op::Point, colours::white, 5, 71},
      {Op::Line, colours::white, 1, 2},
      {Op::Circle, colours::white, 1, 1},
      {Op::Point, colours::white, 5, 285},
  };
  EXPECT_EQ(ShapeRuns(canvas), expected);
  const auto shapes = canvas.Shapes();
  EXPECT_EQ(shapes[71].a, S().eccentricX);
  EXPECT_EQ(shapes[71].c, 3);
  EXPECT_EQ(shapes[72].a, S().prevRollerX);
  EXPECT_EQ(shapes[73].c, 1);  // the small circle's radius
  EXPECT_EQ(canvas.penWidth, 1);
}

}  // namespace
