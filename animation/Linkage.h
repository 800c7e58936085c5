#pragma once

#include "animation/AnimationState.h"
#include "animation/WindowVariables.h"

// The linkage placed each frame from the free roller: the eccentric of the orange
// control shaft, the second roller (X, Y, fff), the valve pin on the axis x = 0, and
// the lever's arc centres turned by leverAngle.

// The control-shaft settings a revolution runs with: leverAngle from VScroll1's
// value, eccentricDeg and the eccentric centre from VScroll2's value.
void SetControlShafts(AnimationState& state, int scroll1Value, int scroll2Value);

// Direction from the lever pivot to the eccentric centre, in radians.
void ComputeEccentricDirection(AnimationState& state);

// The second roller, 20 from the eccentric centre and 19 from the free roller, and
// the valve pin, 20 below it on x = 0. Moves valveY to prevValveY first. Where the
// construction has no solution, or the roller lies more than 20 from the valve axis
// so that the rod cannot reach it, X, Y, fff and valveY keep the previous frame's
// values: nothing not-a-number is ever produced. Returns whether a new position was
// found.
bool SolveSecondRollerAndValve(AnimationState& state, WindowVariables& vars);

// The corner and flank arc centres turned about the pivot by leverAngle.
void TurnArcCentres(AnimationState& state);
