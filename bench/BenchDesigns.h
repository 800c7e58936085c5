#pragma once

#include <string>

#include "geometry/DesignFile.h"
#include "geometry/Mechanism.h"

// The mechanisms the design benchmarks compare, by argument: 0 the window's own
// (WindowMechanism), 1 the same design read from designs/window.json, 2
// designs/smooth-lever.json (blended lever joins, a polynomial lobe).
inline Design BenchDesign(int which) {
  if (which == 0) return WindowDesign();
  const std::string file = which == 1 ? "window.json" : "smooth-lever.json";
  return ReadDesignFile(std::string(TORLIN_DESIGNS_DIR) + "/" + file);
}

inline MechanismPtr BenchMechanism(int which) {
  if (which == 0) return WindowMechanism();
  return std::make_shared<const Mechanism>(BenchDesign(which));
}
