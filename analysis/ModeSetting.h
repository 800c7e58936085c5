#pragma once

#include "animation/BarStarts.h"

// One mode of the mechanism: the positions of the two control-shaft scroll bars.
struct ModeSetting {
  int lever = kLeverBarStart;          // VScroll1.Value: turns the lever (green shaft)
  int eccentric = kEccentricBarStart;  // VScroll2.Value: turns the eccentric (orange shaft)
};
