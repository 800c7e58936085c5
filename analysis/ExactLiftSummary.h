#pragma once

#include <optional>

#include "analysis/ExactKinematics.h"

// The maximum lift and the opening and closing at 1 mm of the exact model, found as
// continuous quantities rather than read off samples: the lift is sampled to find
// where to look, then the maximum is refined by a bracketing minimiser and each
// crossing by a bracketing root finder, so the answer does not depend on a step.
struct ExactLiftSummary {
  double maxLiftMm = 0;  // 0 where the model places the valve nowhere
  double maxLiftCrankDeg = 0;
  std::optional<double> openingCrankDeg;  // at kFullLiftMm; empty if never reached
  std::optional<double> closingCrankDeg;
  // Above kFullLiftMm; 0 where the lift never gets there, so that it shrinks
  // continuously to nothing as the maximum lift falls to the threshold.
  double durationCrankDeg = 0;
};

ExactLiftSummary SummariseExactLift(const ExactKinematics& model);
