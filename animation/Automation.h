#pragma once

#include "animation/FrontEnd.h"
#include "animation/WindowVariables.h"

// The automation step of every revolution head: moves the control-shaft scroll bars
// by itself when a mode is on. "auto" (aut1) raises VScroll1 by 3 while that stays
// below its Max; " auto" (aut2) lowers VScroll2 by 25 while that stays above its Min;
// "random change" (rad1) gives both bars random positions, VScroll2 leaning towards
// its Max. Min and Max are read from the front end every time.
//
// The first change made while the erase latch eee is 0 sets it and returns true at
// once: the caller then runs the erase pass and calls the step again at the next
// revolution head. Never changes a mode.
bool AutomationStep(WindowVariables& vars, FrontEnd& frontEnd);
