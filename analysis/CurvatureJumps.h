#pragma once

#include <vector>

#include "analysis/ExactKinematics.h"

// The crank angles, in [0, 720) and rising, where the free roller passes from one
// lever arc to the next or where the cam's lobe meets its base circle under it. The
// curvature of the lever's curve or of the cam's pitch curve jumps there, and with it
// the valve's acceleration and every force. Each is found from the geometry directly
// (where the pitch curve passes through the fixed hand-over point, or where the lever
// curve meets the base circle), so none is missed between sampled angles.
struct CurvatureJump {
  double crankDeg = 0;
  // At a hand-over, the lever arc the roller runs on just before and just after; at a
  // join of the lobe and the base circle, none.
  int arcBefore = -1;
  int arcAfter = -1;
};
std::vector<CurvatureJump> CurvatureJumps(const ExactKinematics& model);
