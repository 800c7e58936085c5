#include "animation/Background.h"

namespace {

// The lift plot: y = -45 is zero lift, 20 units per 2 mm; x = -125 + 0.7 per cam
// degree, so one grid column is 45 crank degrees.
constexpr double kPlotLeft = -120;
constexpr double kPlotRight = -25;
constexpr double kPlotBottom = -45;
constexpr double kPlotTop = 75;
constexpr double kRowHeight = 20;
constexpr int kRows = 6;
constexpr double kFirstColumnX = -115;
constexpr double kUnitsPerCrankDegree = 0.35;
constexpr int kCrankDegreesPerColumn = 45;
constexpr int kLastColumnCrankDegrees = 225;

void DrawGrid(Canvas& canvas) {
  for (int row = 0; row <= kRows; ++row) {
    const double y = kPlotBottom + kRowHeight * row;
    canvas.Line(kPlotLeft, y, kPlotRight, y);
  }
  for (int degrees = 0; degrees <= kLastColumnCrankDegrees; degrees += kCrankDegreesPerColumn) {
    const double x = kFirstColumnX + kUnitsPerCrankDegree * degrees;
    canvas.Line(x, kPlotBottom, x, kPlotTop);
  }
}

void DrawGuideLines(Canvas& canvas) {
  canvas.Line(-115, -25, -15, -25);  // carries the 2 mm grid line on towards the valve
  canvas.Line(-20.5, -45, -20.5, -15);
}

void DrawFrameAndBlocks(Canvas& canvas) {
  canvas.SetPenColour(colours::teal);
  canvas.SetPenWidth(3);
  canvas.Box(-20, -20, 40, 74);
  canvas.SetPenWidth(1);
  // The valve slides in the 12.7 wide gap between the blocks, centred on x = 0.
  canvas.FilledBox(-15, -15, -6.35, -1.2);
  canvas.FilledBox(6.35, -15, 15, -1.2);
}

// Thicker lines over the grid: 180 crank degrees, 10 mm lift, the zero-lift base
// line (running on past the grid) and 45 crank degrees.
void DrawReferenceLines(Canvas& canvas) {
  canvas.SetPenColour(colours::silver);
  canvas.SetPenWidth(3);
  canvas.Line(-36.25, kPlotBottom, -36.25, kPlotTop);
  canvas.Line(kPlotLeft, 55, kPlotRight, 55);
  canvas.Line(-125, kPlotBottom, 5, kPlotBottom);
  canvas.Line(-99.25, kPlotBottom, -99.25, kPlotTop);
}

}  // namespace

void DrawBackground(Canvas& canvas, WindowVariables& vars) {
  vars.init = 0;
  canvas.SetPenColour(colours::lightGrey);
  canvas.SetPenWidth(1);
  DrawGrid(canvas);
  DrawGuideLines(canvas);
  DrawFrameAndBlocks(canvas);
  DrawReferenceLines(canvas);
  canvas.SetPenColour(colours::teal);
}
