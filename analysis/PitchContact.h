#pragma once

#include "geometry/Mechanism.h"

// The cam's pitch curve where it passes through a point, the cam turned by a cam angle:
// the outward unit normal (the direction the cam pushes a roller centred there) and
// the curvature, positive where the pitch curve is convex. The roller's centre runs on
// the pitch curve, so the cam's surface under it lies a roller radius further in.
struct PitchContact {
  double normalX = 0;
  double normalY = 0;
  double curvature = 0;  // 1/mm
};
PitchContact PitchContactAt(const Mechanism& mechanism, double x, double y,
                            double camAngleRad);

// The curvature of the cam's surface under a roller of the given radius (the surface
// lies a roller radius inside the pitch curve), positive where convex, from the pitch
// curve's curvature. Undercut: the pitch curve bends tighter than the roller, so no
// cam surface can carry the roller there; the surface curvature then has no meaning.
double CamSurfaceCurvature(double pitchCurvature, double rollerRadius);
bool IsUndercut(double pitchCurvature, double rollerRadius);
