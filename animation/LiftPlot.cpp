#include "animation/LiftPlot.h"

namespace {
double PlotX(double camAngle) { return -125 + 0.7 * camAngle; }
double PlotY(double valveY) { return -45 - 10 * valveY; }
}  // namespace

void LiftPlotStep(AnimationState& state, Canvas& canvas) {
  canvas.SetPenWidth(1);
  canvas.SetPenColour(colours::red);
  // The previous angle is 0 in a revolution's second frame and larger than the
  // current one in its first, so no segment joins two revolutions.
  if (state.prevPlotAngle < state.camAngle && state.prevPlotAngle > 0 && state.camAngle < 189) {
    canvas.SetPenWidth(2);
    canvas.Line(PlotX(state.prevPlotAngle), PlotY(state.prevValveY), PlotX(state.camAngle),
                PlotY(state.valveY));
    canvas.SetPenWidth(1);
  }
  state.prevPlotAngle = state.camAngle;
}
