#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "api/CrankOrigin.h"
#include "api/SvajTable.h"
#include "ShaftPositionText.h"
#include "analysis/ModeSetting.h"

// The pictures of torlin-modes --svaj, over the part of the cycle where the valve opens.

struct SvajPictureSettings {
  ShaftPositions mode;
  std::optional<double> rpm;  // derivatives by time instead of by crank angle
  int speed = kSpeedBarStart;  // the window's speed bar, for its frames
  CrankOrigin origin;          // where the crank axis is measured from
};

// Lift, velocity, acceleration and jerk of the exact kinematics stacked on one crank
// axis, as DIR/svaj.png and .svg. Returns an empty string or the failure's one line.
QString WriteSvajPicture(const std::vector<SvajRow>& rows, const SvajPictureSettings& settings,
                         const std::string& directory);

// The window's lift at its frames over the exact lift, and below it, on its own axis
// with its own zero, their difference, as DIR/window-vs-exact.png and .svg.
QString WriteWindowAgainstExactPicture(const std::vector<SvajRow>& rows, const SvajPictureSettings& settings,
                                       const std::string& directory);
