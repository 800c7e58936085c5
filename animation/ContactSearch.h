#pragma once

#include "animation/AnimationState.h"

// Places the free roller where the turned pitch curve (camPitchX/Y) meets the turned
// lever curve (leverCurveNowX/Y): the nearest pair of table points, one from each,
// found on a coarse grid inside the sector of cam directions that faces the lever
// and then refined around it. The roller centre is the midpoint of the pair.
//
// Reads camAngle; writes bestDistSq, bestPitchIndex, bestLeverIndex, camPitchX/Y
// entries 7201..7240 (a copy of 1..40, so a window may run past the turn's end),
// rollerX/Y, and moves the old roller centre to prevRollerX/Y.
void RunContactSearch(AnimationState& state);

// The same search without turning the whole pitch curve first: it turns only the
// entries the search reads (the 23 coarse samples and the 41 of the fine window), to
// exactly the values RotatePitchCurve gives them, so it finds the same pair and the
// same roller centre. Reads camAngle for the samples and camAngleRad for the turn,
// which must agree. The other entries of camPitchX/Y are left as they were.
void RunContactSearchTurningOnDemand(AnimationState& state);

// The coarse stage's pitch sample m (0..22) at the given cam angle: one per degree
// from 2750 - 20 * camAngle (rounded, halves to even), wrapped into the turn.
int CoarsePitchIndex(double camAngle, int m);
