#pragma once

#include "animation/AnimationState.h"
#include "animation/Canvas.h"
#include "animation/WindowVariables.h"

// The valve train as an ordinary frame draws it, after the contact search: the
// linkage is solved where the drawing needs its values, each moving part is whitened
// at its previous place and drawn at its new one, and the lever curve is turned and
// its outline dotted. Counts init. Leaves the pen at width 1.
void DrawOrdinaryFrame(AnimationState& state, WindowVariables& vars, Canvas& canvas);

// The two parts that depend on the control-shaft settings, as dots of pen width 5
// in the given colour (white erases them). The orange shaft: an arc of 71 dots about
// the eccentric centre, passing 5.5 beyond the pivot; computes eccentricDir first.
// The lever: its arc centres and curve turned by leverAngle, then one dot per tenth
// entry of the turned curve, 5.5 outside each of its three arcs.
void DrawShaftArc(AnimationState& state, Canvas& canvas, Colour colour);
void DrawLeverOutline(AnimationState& state, Canvas& canvas, Colour colour);
