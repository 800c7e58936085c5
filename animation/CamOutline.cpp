#include "animation/CamOutline.h"

void DrawCamOutline(const AnimationState& state, Canvas& canvas, double cosAngle, double sinAngle) {
  const MechanismConstants& k = state.constants;
  const OutlineTable& ox = state.tables.camOutlineX;
  const OutlineTable& oy = state.tables.camOutlineY;
  for (int i = 1; i <= kOutlineLast; ++i) {
    canvas.Point(k.camCentreX + ox[i] * cosAngle + oy[i] * sinAngle,
                 k.camCentreY + oy[i] * cosAngle - ox[i] * sinAngle);
  }
}
