#pragma once

#include "animation/AnimationState.h"

// The cam's pitch curve turned to the frame's cam angle, in window coordinates.
//
// Entry j stands for the direction pi * j / 3600 + camAngleRad, measured from +y
// towards +x, at the distance camPitchRadius[j mod 7200] from the cam axis. Turning
// the rest positions by the frame's cosine and sine gives the same points as
// evaluating that direction's sine and cosine for each of the 7201 entries.

// Refills camPitchX/Y entries 0..7200 for state.camAngleRad.
void RotatePitchCurve(AnimationState& state);

// The cosine and sine of one cam angle, taken once for all entries turned with it.
struct CamTurn {
  double cos;
  double sin;
};
CamTurn CamTurnOf(const AnimationState& state);

// Turns entry j (0..7200) alone, to exactly the value RotatePitchCurve gives it, and
// stores it as entry `into` (j itself, or its copy past the turn's end).
inline void RotatePitchEntry(AnimationState& state, const CamTurn& turn, int j, int into) {
  // sin(a + t) = sin a cos t + cos a sin t;  cos(a + t) = cos a cos t - sin a sin t.
  const double x = state.tables->pitchRestX[j];
  const double y = state.tables->pitchRestY[j];
  state.camPitchX[into] = state.constants.camCentreX + (x * turn.cos + y * turn.sin);
  state.camPitchY[into] = state.constants.camCentreY + (y * turn.cos - x * turn.sin);
}
