#pragma once

#include "animation/AnimationState.h"
#include "animation/Canvas.h"

// Adds one red segment of the valve-lift trace, from the previous frame's point to
// this frame's, on the plot beside the mechanism (x = -125 + 0.7 * cam degrees,
// y = -45 - 10 * valveY). A revolution's first two frames draw nothing, nor does any
// frame at 189 degrees or more. Remembers camAngle for the next frame, across
// revolutions, erase passes and clears. Leaves the pen red at width 1.
void LiftPlotStep(AnimationState& state, Canvas& canvas);
