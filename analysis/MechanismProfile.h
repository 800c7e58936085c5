#pragma once

#include <vector>

#include "geometry/Mechanism.h"

// A mechanism's two working surfaces as coordinates, for drawings and CAD: each at
// rest, in its own frame (mm, y up, x to the right as the window shows them), its
// points in order along the surface. angleDeg names a point as the design does: from
// +y towards +x.
struct ProfilePoint {
  double angleDeg = 0;
  double x = 0;
  double y = 0;
};

// The cam's surface about the cam axis: the pitch curve (the free roller centre's
// path) moved the roller's radius inwards along its normal, at every stepDeg of rest
// angle from 0 up to, not including, 360 degrees: a closed curve.
std::vector<ProfilePoint> CamSurface(const Mechanism& mechanism, double stepDeg);

// The lever's working face about the lever pivot: the curve the roller centre runs on,
// moved the roller's radius outwards (away from its centre of curvature), over the
// curve angles the roller can meet, at every stepDeg of curve angle and at every
// hand-over from segment to segment.
std::vector<ProfilePoint> LeverWorkingFace(const Mechanism& mechanism, double stepDeg);
