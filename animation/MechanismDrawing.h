#pragma once

#include "animation/Canvas.h"
#include "animation/Pose.h"
#include "geometry/MechanismConstants.h"

// The valve train as an ordinary frame draws it from the frame's pose: each moving
// part whitened at its previous place and drawn at its new one, the marker crosses,
// the teal parts while init is below 10 (counting init), the cam hub and the lever
// outline. Leaves the pen at width 1.
void DrawOrdinaryFrame(const Pose& pose, const MechanismConstants& constants, int& init,
                       Canvas& canvas);

// The two parts that depend on the control-shaft settings, as dots of pen width 5
// in the given colour (white erases them). The orange shaft: an arc of 71 dots about
// the eccentric centre, passing 5.5 beyond the pivot. The lever: one dot per tenth
// entry of the turned curve, 5.5 outside each of its three arcs.
void DrawShaftArc(const ShaftPose& shafts, Canvas& canvas, Colour colour);
void DrawLeverOutline(const ShaftPose& shafts, const MechanismConstants& constants,
                      Canvas& canvas, Colour colour);
