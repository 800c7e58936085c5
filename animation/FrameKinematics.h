#pragma once

#include "animation/AnimationState.h"
#include "animation/Pose.h"
#include "animation/WindowVariables.h"

// How a frame turns the cam's pitch curve: all of it (the window: the whole turned
// table is there to read), or only the entries the contact search reads, to the same
// values (the tools, which run many revolutions and draw none).
enum class PitchTurning { Whole, OnDemand };

// A frame's kinematics, in the designed order: the pitch curve turned to camAngleRad,
// the contact search against the lever curve as the previous frame left it, the
// linkage (eccentric direction, second roller X, Y, fff and the valve pin), then the
// lever's arc centres and curve turned to leverAngle for the next frame's search.
// Updates the state's previous-frame values and the window-level X, Y, fff.
Pose FrameKinematics(AnimationState& state, WindowVariables& vars,
                     PitchTurning turning = PitchTurning::Whole);

// The erase pass's kinematics, with the settings still in force: the eccentric
// direction and the lever turned by the old leverAngle (as the last frame left it, or
// for the first time when no frame has run yet).
ErasePose EraseKinematics(AnimationState& state);
