#pragma once

#include "animation/AnimationState.h"

// The cam's pitch curve turned to the frame's cam angle, in window coordinates.
//
// Entry j stands for the direction pi * j / 3600 + camAngleRad, measured from +y
// towards +x, at the distance camPitchRadius[j mod 7200] from the cam axis. Turning
// the rest positions by the frame's cosine and sine gives the same points as
// evaluating that direction's sine and cosine for each of the 7201 entries.

// Fills pitchRestX/Y from camPitchRadius; run once after the start tables exist.
void PreparePitchRotation(AnimationState& state);

// Refills camPitchX/Y entries 0..7200 for state.camAngleRad.
void RotatePitchCurve(AnimationState& state);
