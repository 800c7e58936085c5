#include "animation/CamOutline.h"

#include <cmath>

#include "animation/FrameSchedule.h"

void DrawCamOutline(const AnimationState& state, Canvas& canvas, double cosAngle, double sinAngle) {
  const MechanismConstants& k = state.constants;
  const OutlineTable& ox = state.tables->profile.camOutlineX;
  const OutlineTable& oy = state.tables->profile.camOutlineY;
  for (int i = 1; i <= kOutlineLast; ++i) {
    canvas.Point(k.camCentreX + ox[i] * cosAngle + oy[i] * sinAngle,
                 k.camCentreY + oy[i] * cosAngle - ox[i] * sinAngle);
  }
}

void TurnCamOutline(AnimationState& s, Canvas& canvas) {
  s.camAngleRad = CamRadians(s.camAngle, s.constants);
  s.camCos = std::cos(s.camAngleRad);
  s.camSin = std::sin(s.camAngleRad);
  canvas.SetPenWidth(1);
  canvas.SetPenColour(colours::white);
  DrawCamOutline(s, canvas, s.prevCamCos, s.prevCamSin);
  canvas.SetPenColour(colours::red);
  DrawCamOutline(s, canvas, s.camCos, s.camSin);
  s.prevCamCos = s.camCos;
  s.prevCamSin = s.camSin;
  canvas.SetPenColour(colours::red);
}
