#pragma once

#include <vector>

#include "analysis/ModeSetting.h"

// torlin-modes' default grid: 100 lever values evenly over 0..115 and 100 eccentric
// values evenly over -95..700, rounded halves away from the first value, lever-major.
inline std::vector<ModeSetting> DefaultModeGrid() {
  std::vector<ModeSetting> modes;
  modes.reserve(100 * 100);
  for (int l = 0; l < 100; ++l) {
    for (int e = 0; e < 100; ++e) modes.push_back({(2 * l * 115 + 99) / 198, -95 + (2 * e * 795 + 99) / 198});
  }
  return modes;
}
