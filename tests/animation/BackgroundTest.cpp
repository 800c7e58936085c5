#include "animation/Background.h"

#include <gtest/gtest.h>

#include "support/RecordingCanvas.h"

namespace {

using Op = RecordingCanvas::Op;
using Call = RecordingCanvas::Call;

void ExpectSameCall(const Call& actual, const Call& expected, size_t index) {
  EXPECT_EQ(actual.op, expected.op) << "call " << index;
  EXPECT_DOUBLE_EQ(actual.a, expected.a) << "call " << index;
  EXPECT_DOUBLE_EQ(actual.b, expected.b) << "call " << index;
  EXPECT_DOUBLE_EQ(actual.c, expected.c) << "call " << index;
  EXPECT_DOUBLE_EQ(actual.d, expected.d) << "call " << index;
  EXPECT_TRUE(actual.colour == expected.colour) << "call " << index;
  EXPECT_EQ(actual.width, expected.width) << "call " << index;
}

std::vector<Call> ExpectedBackground() {
  const Colour grey = colours::lightGrey;
  const Colour teal = colours::teal;
  const Colour silver = colours::silver;
  std::vector<Call> calls = {{Op::PenColour, 0, 0, 0, 0, grey, 3}, {Op::PenWidth, 0, 0, 0, 0, grey, 1}};
  for (double y : {-45, -25, -5, 15, 35, 55, 75}) calls.push_back({Op::Line, -120, y, -25, y, grey, 1});
  for (double x : {-115.0, -99.25, -83.5, -67.75, -52.0, -36.25}) {
    calls.push_back({Op::Line, x, -45, x, 75, grey, 1});
  }
  const std::vector<Call> rest = {
      {Op::Line, -115, -25, -15, -25, grey, 1},
      {Op::Line, -20.5, -45, -20.5, -15, grey, 1},
      {Op::PenColour, 0, 0, 0, 0, teal, 1},
      {Op::PenWidth, 0, 0, 0, 0, teal, 3},
      {Op::Box, -20, -20, 40, 74, teal, 3},
      {Op::PenWidth, 0, 0, 0, 0, teal, 1},
      {Op::FilledBox, -15, -15, -6.35, -1.2, teal, 1},
      {Op::FilledBox, 6.35, -15, 15, -1.2, teal, 1},
      {Op::PenColour, 0, 0, 0, 0, silver, 1},
      {Op::PenWidth, 0, 0, 0, 0, silver, 3},
      {Op::Line, -36.25, -45, -36.25, 75, silver, 3},
      {Op::Line, -120, 55, -25, 55, silver, 3},
      {Op::Line, -125, -45, 5, -45, silver, 3},
      {Op::Line, -99.25, -45, -99.25, 75, silver, 3},
      {Op::PenColour, 0, 0, 0, 0, teal, 3},
  };
  calls.insert(calls.end(), rest.begin(), rest.end());
  return calls;
}

TEST(Background, DrawsGridGuidesFrameBlocksAndReferenceLinesInOrderWithTheirPens) {
  RecordingCanvas canvas;
  canvas.penColour = colours::red;  // whatever pen the caller left
  canvas.penWidth = 5;
  WindowVariables vars;
  DrawBackground(canvas, vars);

  std::vector<Call> expected = ExpectedBackground();
  expected[0].width = 5;
  ASSERT_EQ(canvas.calls.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) ExpectSameCall(canvas.calls[i], expected[i], i);
  EXPECT_TRUE(canvas.penColour == colours::teal);
  EXPECT_EQ(canvas.penWidth, 3);
}

TEST(Background, RestartsInitAndDrawsTheSameWhenRepeated) {
  RecordingCanvas canvas;
  WindowVariables vars;
  vars.init = 7;
  vars.steep = 4;
  vars.mes = 2;
  DrawBackground(canvas, vars);
  EXPECT_EQ(vars.init, 0);
  const std::vector<Call> first = canvas.Shapes();

  canvas.Clear();
  vars.init = 11;
  DrawBackground(canvas, vars);
  EXPECT_EQ(vars.init, 0);
  const std::vector<Call> second = canvas.Shapes();
  ASSERT_EQ(second.size(), first.size());
  for (size_t i = 0; i < first.size(); ++i) ExpectSameCall(second[i], first[i], i);

  EXPECT_EQ(vars.steep, 4);  // nothing else changes
  EXPECT_EQ(vars.mes, 2);
}

}  // namespace
