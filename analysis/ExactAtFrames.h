#pragma once

#include <optional>
#include <vector>

#include "analysis/DemonstrationRevolution.h"
#include "analysis/ExactKinematics.h"

// The exact lift at the crank angles of the window's frames, beside the window's own:
// the two models compared sample for sample.
struct ExactAtFrames {
  std::vector<LiftSample> curve;  // where the exact model places the valve
  int missingFrames = 0;          // frames where it does not
  std::optional<double> maxDifferenceMm;  // largest |window lift - exact lift|
  std::optional<double> maxDifferenceAtCrankDeg;
};

ExactAtFrames ExactLiftAtFrames(const ExactKinematics& model, const DemonstrationRevolution& window);
