#include "animation/MechanismDrawing.h"

#include <cmath>

#include "animation/LeverTurning.h"

namespace {

constexpr double kRollerHubRadius = 5;
constexpr double kLeverOutlineOffset = 5.5;  // the lever's outline, outside its curve
constexpr double kPinRadius = 4;
constexpr double kHubRadius = 12.5;
constexpr int kInitLimit = 10;

void DrawRoller(Canvas& canvas, double x, double y, double radius) {
  canvas.Circle(x, y, radius);
  canvas.Circle(x, y, kRollerHubRadius);
}

// The valve's body and pin; the rod is a line drawn by the caller.
void DrawValve(Canvas& canvas, double valveY) {
  canvas.Box(-6, valveY - 7, 6, valveY + 9);
  canvas.Circle(0, valveY, kPinRadius);
}

void DrawCross(Canvas& canvas, double x, double y, double halfLength) {
  canvas.Line(x - halfLength, y, x + halfLength, y);
  canvas.Line(x, y - halfLength, x, y + halfLength);
}

// A point of the turned lever curve pushed out from an arc centre to the outline.
void OutlineDot(Canvas& canvas, double centreX, double centreY, double scale, double x,
                double y) {
  canvas.Point(centreX + scale * (x - centreX), centreY + scale * (y - centreY));
}

// How far the outline lies from an arc's centre, for each unit of the curve's radius.
double OutlineScale(double arcRadius) { return (arcRadius + kLeverOutlineOffset) / arcRadius; }

void DrawFixedParts(const MechanismConstants& k, int& init, Canvas& canvas) {
  canvas.SetPenColour(colours::red);
  canvas.SetPenWidth(2);
  DrawCross(canvas, 0, 0, 1);
  DrawCross(canvas, k.cornerStartX, k.cornerStartY, 1);
  DrawCross(canvas, k.leverPivotX, k.leverPivotY, 2);
  DrawCross(canvas, k.camCentreX, k.camCentreY, 2);

  canvas.SetPenWidth(1);
  if (init < kInitLimit) {
    canvas.SetPenWidth(3);
    canvas.SetPenColour(colours::teal);
    canvas.Box(-20, -20, 40, 74);
    canvas.SetPenWidth(1);
    canvas.FilledBox(-15, -15, -6.35, -1.2);
    canvas.FilledBox(6.35, -15, 15, -1.2);
  }
  // Only "below 10" matters, so counting stops once past it instead of overflowing.
  if (init <= kInitLimit) ++init;

  canvas.SetPenWidth(1);
  canvas.CircleInColour(k.camCentreX, k.camCentreY, kHubRadius, colours::colourValue1);
}

}  // namespace

void DrawShaftArc(const ShaftPose& shafts, Canvas& canvas, Colour colour) {
  canvas.SetPenWidth(5);
  canvas.SetPenColour(colour);
  constexpr int kDots = 71;  // t = 4.1, 4.11, ..., 4.8
  for (int n = 0; n < kDots; ++n) {
    const double t = 4.1 + 0.01 * n;
    canvas.Point(shafts.eccentricX + 25.5 * std::sin(t - shafts.eccentricDir),
                 shafts.eccentricY + 25.5 * std::cos(t - shafts.eccentricDir));
  }
}

void DrawLeverOutline(const ShaftPose& shafts, const MechanismConstants& k, Canvas& canvas,
                      Colour colour) {
  canvas.SetPenWidth(5);
  canvas.SetPenColour(colour);
  const LeverTable& curveX = *shafts.leverCurveNowX;
  const LeverTable& curveY = *shafts.leverCurveNowY;
  // Every entry of the turned part whose index is a multiple of 10 (750 is one).
  for (int i = kLeverTurnedFirst; i <= kLeverLast; i += 10) {
    const double x = curveX[i];
    const double y = curveY[i];
    // Three independent tests; the pivot and corner ranges overlap only between
    // multiples of 10, and entry 3000 gets no dot.
    if (i < 1480) OutlineDot(canvas, k.leverPivotX, k.leverPivotY, OutlineScale(k.pivotArcRadius), x, y);
    if (i > 1470 && i < 3000) OutlineDot(canvas, shafts.cornerNowX, shafts.cornerNowY, OutlineScale(k.cornerArcRadius), x, y);
    if (i > 3000) OutlineDot(canvas, shafts.flankNowX, shafts.flankNowY, OutlineScale(k.flankArcRadius), x, y);
  }
}

void DrawOrdinaryFrame(const Pose& pose, const MechanismConstants& constants, int& init,
                       Canvas& canvas) {
  // The orange control shaft.
  DrawShaftArc(pose.shafts, canvas, colours::orange);

  // The free roller, from its old place to its new one.
  canvas.SetPenWidth(1);
  canvas.SetPenColour(colours::white);
  DrawRoller(canvas, pose.prevRollerX, pose.prevRollerY, constants.freeRollerRadius);
  canvas.SetPenColour(colours::red);
  DrawRoller(canvas, pose.rollerX, pose.rollerY, constants.freeRollerRadius);

  // Rod, valve and second roller whitened at their old places...
  canvas.SetPenColour(colours::white);
  canvas.SetPenWidth(15);
  canvas.Line(pose.prevX, pose.prevY, 0, pose.prevValveY);
  canvas.SetPenWidth(1);
  DrawValve(canvas, pose.prevValveY);
  DrawRoller(canvas, pose.prevX, pose.prevY, constants.secondRollerRadius);

  // ...and drawn at the new ones, which the next frame will whiten.
  canvas.SetPenColour(colours::darkBlue);
  canvas.SetPenWidth(15);
  canvas.Line(pose.X, pose.Y, 0, pose.valveY);
  canvas.SetPenWidth(1);
  canvas.SetPenColour(colours::blue);
  DrawValve(canvas, pose.valveY);
  DrawRoller(canvas, pose.X, pose.Y, constants.secondRollerRadius);

  // Marker crosses, the teal parts after a fresh background, the cam hub.
  DrawFixedParts(constants, init, canvas);

  // The lever, turned, and its outline.
  DrawLeverOutline(pose.shafts, constants, canvas, colours::green);

  canvas.SetPenWidth(1);
}
