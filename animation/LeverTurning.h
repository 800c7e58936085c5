#pragma once

#include "animation/AnimationState.h"

// The lever curve turned about the lever pivot by leverAngle, in window coordinates:
// leverCurveNowX/Y entries 750..3600 (entries below 750 are never written).
//
// Each point sits at the radius r and the unquadranted direction u = atan(dy / dx)
// of its rest offset (dx, dy) from the pivot, turned to u + leverAngle. The rest
// offsets (r cos u, r sin u) are computed once; a turn then takes the cosine and sine
// of leverAngle only, and is skipped where the table already holds the curve turned
// by the same angle (leverAngle is fixed for a revolution).

// Brings leverCurveNowX/Y and the corner and flank arc centres up to state.leverAngle.
void TurnLeverCurve(AnimationState& state);
