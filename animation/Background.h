#pragma once

#include "animation/Canvas.h"
#include "animation/WindowVariables.h"

// Paints everything that does not move, on a window the caller has just cleared:
// the lift plot's grid with its silver reference lines, two guide lines, the teal
// frame and the two teal blocks beside the valve axis. Restarts init, so the
// mechanism drawing repaints the teal parts during the next frames. Leaves the pen
// teal at width 3.
void DrawBackground(Canvas& canvas, WindowVariables& vars);
