#pragma once

#include "animation/AnimationState.h"
#include "animation/Canvas.h"

// Wipes in white, before new control-shaft settings are read, what the last frame
// drew for the old ones: the orange shaft arc, the lever outline, and two thin lines
// and a small circle about the eccentric. Works with the old leverAngle and eccentric
// centre, and turns the lever curve with them. Leaves the pen white at width 1.
void RunErasePass(AnimationState& state, Canvas& canvas);
