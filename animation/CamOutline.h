#pragma once

#include "animation/AnimationState.h"
#include "animation/Canvas.h"

// The cam outline as 720 single pixels, turned by the given cosine and sine of the
// cam angle about the cam axis, in the pen the caller set.
void DrawCamOutline(const AnimationState& state, Canvas& canvas, double cosAngle, double sinAngle);

// Frame steps 1 to 6: the cam turned to state.camAngle, its outline whitened at the
// old angle and drawn in red at the new; the pen left red.
void TurnCamOutline(AnimationState& state, Canvas& canvas);
