#pragma once

#include <vector>

#include "geometry/MechanismConstants.h"

// The frames of one revolution: cam angles 0, step, 2 step, ... as a running sum (so
// each frame carries the loop's own rounding), while the angle is at most 359 degrees.
inline constexpr double kFirstFrameCamDeg = 0;
inline constexpr double kLastFrameCamDegAtMost = 359;
inline bool FrameWithinRevolution(double camAngleDeg) { return camAngleDeg <= kLastFrameCamDegAtMost; }

// The cam degrees per frame that a value of the speed bar gives.
inline double FrameStepCamDeg(int speedBarValue) { return speedBarValue / 100.0; }

// The cam angles of a revolution's frames at a step, in the loop's order.
inline std::vector<double> RevolutionCamAngles(double stepCamDeg) {
  std::vector<double> angles;
  for (double camAngle = kFirstFrameCamDeg; FrameWithinRevolution(camAngle); camAngle += stepCamDeg) {
    angles.push_back(camAngle);
  }
  return angles;
}

// A cam angle in radians, with the window's pi and in the window's order of operations:
// every model that turns the cam turns it by the same bits. Number may be a series.
template <class Number>
Number CamRadians(const Number& camAngleDeg, const MechanismConstants& constants) {
  return camAngleDeg * constants.pi / 180;
}
