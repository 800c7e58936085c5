#include "animation/ErasePass.h"

#include "animation/FrameKinematics.h"
#include "animation/MechanismDrawing.h"

void DrawErasePass(const ErasePose& pose, const MechanismConstants& constants, Canvas& canvas) {
  DrawShaftArc(pose.shafts, canvas, colours::white);

  canvas.SetPenWidth(1);
  canvas.SetPenColour(colours::white);
  const double eccentricX = pose.shafts.eccentricX;
  const double eccentricY = pose.shafts.eccentricY;
  canvas.Line(eccentricX, eccentricY, pose.X, pose.Y);
  canvas.Line(pose.rollerX, pose.rollerY, pose.X, pose.Y);
  canvas.Circle(eccentricX, eccentricY, 1);

  DrawLeverOutline(pose.shafts, constants, canvas, colours::white);

  canvas.SetPenWidth(1);
}

void RunErasePass(AnimationState& state, Canvas& canvas) {
  DrawErasePass(EraseKinematics(state), state.constants, canvas);
}
