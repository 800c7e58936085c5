#pragma once

#include <optional>

#include "analysis/ModeSetting.h"

// The two control shafts' positions as bar values, whole or not (37.25): the exact
// model takes any position between the bars' ends; the window's bars, and so its
// kinematics, take whole values only.
struct ShaftPositions {
  double lever = 0;
  double eccentric = 0;

  // The window's setting at these positions: none unless both are whole numbers.
  std::optional<ModeSetting> WindowSetting() const;
};

inline ShaftPositions PositionsOf(const ModeSetting& mode) { return {double(mode.lever), double(mode.eccentric)}; }
