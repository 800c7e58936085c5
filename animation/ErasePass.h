#pragma once

#include "animation/AnimationState.h"
#include "animation/Canvas.h"
#include "animation/Pose.h"

// Wipes in white, before new control-shaft settings are read, what the last frame
// drew for the old ones: the orange shaft arc, two thin lines and a small circle
// about the eccentric, and the lever outline. Works with the old leverAngle and
// eccentric centre, and turns the lever curve with them. Leaves the pen white at
// width 1.
void RunErasePass(AnimationState& state, Canvas& canvas);

// The drawing of the erase pass from its pose.
void DrawErasePass(const ErasePose& pose, const MechanismConstants& constants, Canvas& canvas);
