#include "animation/MechanismDrawing.h"

#include <cmath>

#include "animation/LeverTurning.h"
#include "animation/Linkage.h"

namespace {

constexpr double kRollerRadius = 9.5;
constexpr double kRollerHubRadius = 5;
constexpr double kPinRadius = 4;
constexpr double kHubRadius = 12.5;
constexpr int kInitLimit = 10;

void DrawRoller(Canvas& canvas, double x, double y) {
  canvas.Circle(x, y, kRollerRadius);
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

void DrawFixedParts(AnimationState& state, WindowVariables& vars, Canvas& canvas) {
  const MechanismConstants& k = state.constants;
  canvas.SetPenColour(colours::red);
  canvas.SetPenWidth(2);
  DrawCross(canvas, 0, 0, 1);
  DrawCross(canvas, k.cornerStartX, k.cornerStartY, 1);
  DrawCross(canvas, k.leverPivotX, k.leverPivotY, 2);
  DrawCross(canvas, k.camCentreX, k.camCentreY, 2);

  canvas.SetPenWidth(1);
  if (vars.init < kInitLimit) {
    canvas.SetPenWidth(3);
    canvas.SetPenColour(colours::teal);
    canvas.Box(-20, -20, 40, 74);
    canvas.SetPenWidth(1);
    canvas.FilledBox(-15, -15, -6.35, -1.2);
    canvas.FilledBox(6.35, -15, 15, -1.2);
  }
  // Only "below 10" matters, so counting stops once past it instead of overflowing.
  if (vars.init <= kInitLimit) ++vars.init;

  canvas.SetPenWidth(1);
  canvas.CircleInColour(k.camCentreX, k.camCentreY, kHubRadius, colours::colourValue1);
}

}  // namespace

void DrawShaftArc(AnimationState& state, Canvas& canvas, Colour colour) {
  canvas.SetPenWidth(5);
  canvas.SetPenColour(colour);
  ComputeEccentricDirection(state);
  constexpr int kDots = 71;  // t = 4.1, 4.11, ..., 4.8
  for (int n = 0; n < kDots; ++n) {
    const double t = 4.1 + 0.01 * n;
    canvas.Point(state.eccentricX + 25.5 * std::sin(t - state.eccentricDir),
                 state.eccentricY + 25.5 * std::cos(t - state.eccentricDir));
  }
}

void DrawLeverOutline(AnimationState& state, Canvas& canvas, Colour colour) {
  canvas.SetPenWidth(5);
  canvas.SetPenColour(colour);
  TurnArcCentres(state);
  TurnLeverCurve(state);
  const MechanismConstants& k = state.constants;
  // Every entry of the turned part whose index is a multiple of 10 (750 is one).
  for (int i = kLeverTurnedFirst; i <= kLeverLast; i += 10) {
    const double x = state.leverCurveNowX[i];
    const double y = state.leverCurveNowY[i];
    // Three independent tests; the pivot and corner ranges overlap only between
    // multiples of 10, and entry 3000 gets no dot.
    if (i < 1480) OutlineDot(canvas, k.leverPivotX, k.leverPivotY, 24.5 / 19, x, y);
    if (i > 1470 && i < 3000) OutlineDot(canvas, state.cornerNowX, state.cornerNowY, 7 / 1.5, x, y);
    if (i > 3000) OutlineDot(canvas, state.flankNowX, state.flankNowY, 35.5 / 30, x, y);
  }
}

void DrawOrdinaryFrame(AnimationState& state, WindowVariables& vars, Canvas& canvas) {
  // The orange control shaft.
  DrawShaftArc(state, canvas, colours::orange);

  // The free roller, from its old place to its new one; the linkage follows it.
  canvas.SetPenWidth(1);
  canvas.SetPenColour(colours::white);
  DrawRoller(canvas, state.prevRollerX, state.prevRollerY);
  canvas.SetPenColour(colours::red);
  SolveSecondRollerAndValve(state, vars);
  DrawRoller(canvas, state.rollerX, state.rollerY);

  // Rod, valve and second roller whitened at their old places...
  canvas.SetPenColour(colours::white);
  canvas.SetPenWidth(15);
  canvas.Line(state.prevX, state.prevY, 0, state.prevValveY);
  canvas.SetPenWidth(1);
  DrawValve(canvas, state.prevValveY);
  DrawRoller(canvas, state.prevX, state.prevY);

  // ...and drawn at the new ones, which the next frame will whiten.
  canvas.SetPenColour(colours::darkBlue);
  canvas.SetPenWidth(15);
  canvas.Line(vars.X, vars.Y, 0, state.valveY);
  canvas.SetPenWidth(1);
  canvas.SetPenColour(colours::blue);
  DrawValve(canvas, state.valveY);
  DrawRoller(canvas, vars.X, vars.Y);

  state.prevX = vars.X;
  state.prevY = vars.Y;

  // Marker crosses, the teal parts after a fresh background, the cam hub.
  DrawFixedParts(state, vars, canvas);

  // The lever, turned, and its outline.
  DrawLeverOutline(state, canvas, colours::green);

  canvas.SetPenWidth(1);
}
