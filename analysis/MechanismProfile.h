#pragma once

#include <vector>

#include "geometry/MechanismConstants.h"

// The two working surfaces as coordinates, for drawings and CAD: each at rest, in its
// own frame (mm, y up, x to the right as the window shows them), its points in order
// along the surface. angleDeg names a point as the design does: from +y towards +x.
struct ProfilePoint {
  double angleDeg = 0;
  double x = 0;
  double y = 0;
};

// The cam's surface about the cam axis: the pitch curve (the roller centre's path)
// moved a roller radius inwards along its normal, at every stepDeg of rest angle from
// 0 up to, not including, 360 degrees: a closed curve.
std::vector<ProfilePoint> CamSurface(const MechanismConstants& constants, double stepDeg);

// The lever's working face about the lever pivot: the curve the roller centre runs
// on, moved a roller radius outwards, over the curve angles the roller can meet, at
// every stepDeg of curve angle and at both hand-overs from arc to arc (each arc
// concave, its radius the roller's more than the centre's curve).
std::vector<ProfilePoint> LeverWorkingFace(const MechanismConstants& constants, double stepDeg);

// The roller radius the two surfaces are offset by.
double ProfileRollerRadius();
