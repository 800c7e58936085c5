#pragma once

#include <string>
#include <vector>

#include "analysis/MechanismProfile.h"

// torlin-modes --profile: the cam's surface and the lever's working face as
// coordinates for CAD, each at rest in its own frame (the cam about its axis, the
// lever about its pivot).
struct MechanismProfile {
  std::vector<ProfilePoint> cam;    // closed: the last point runs on to the first
  std::vector<ProfilePoint> lever;  // open, from the pivot arc to the flank's end
  MechanismConstants constants;     // where the cam axis and the pivot lie
  double rollerRadiusMm = 0;        // what the surfaces lie off the roller centre's paths
};
// A mechanism's, the cam at the tables' 1/20 degree, the lever at 1/30 degree.
MechanismProfile ProfileOf(const Mechanism& mechanism);

// CSV: one row per point (part, angle, x, y), then "# name,value" lines saying where
// each frame lies in the window's coordinates and what the surfaces are offset by.
std::string ProfileCsv(const MechanismProfile& profile);

// The same two curves as a DXF drawing in millimetres, a polyline each on its own
// layer (CAM_SURFACE closed, LEVER_FACE open), the lever's placed at its pivot's
// offset from the cam axis as the window has it. The file appears whole or not at
// all: written beside its name and moved there once complete. An empty string, or
// the one line that says what failed.
std::string WriteProfileDxf(const MechanismProfile& profile, const std::string& path);
