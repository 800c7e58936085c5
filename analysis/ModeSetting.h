#pragma once

// One mode of the mechanism: the positions of the two control-shaft scroll bars.
struct ModeSetting {
  int lever = 60;       // VScroll1.Value: turns the lever (green shaft)
  int eccentric = 200;  // VScroll2.Value: turns the eccentric (orange shaft)
};
