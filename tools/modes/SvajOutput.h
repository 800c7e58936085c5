#pragma once

#include <QString>

#include "ModesOptions.h"

// torlin-modes --svaj: one mode's lift, velocity, acceleration and jerk from the exact
// kinematics, with the window's lift at its frames, as CSV on stdout; with --plot-dir
// also the four SVAJ plots stacked in one picture, and the window's lift against the
// exact one. Returns an empty string, or the one line that says what failed.
QString WriteSvaj(const ModesOptions& options);
