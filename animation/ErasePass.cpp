#include "animation/ErasePass.h"

#include "animation/MechanismDrawing.h"

void RunErasePass(AnimationState& state, Canvas& canvas) {
  DrawShaftArc(state, canvas, colours::white);

  canvas.SetPenWidth(1);
  canvas.SetPenColour(colours::white);
  canvas.Line(state.eccentricX, state.eccentricY, state.prevX, state.prevY);
  canvas.Line(state.prevRollerX, state.prevRollerY, state.prevX, state.prevY);
  canvas.Circle(state.eccentricX, state.eccentricY, 1);

  // Turns the lever curve with the old angle, as the last frame did.
  DrawLeverOutline(state, canvas, colours::white);

  canvas.SetPenWidth(1);
}
