#pragma once

#include <optional>

#include "analysis/ElasticParameters.h"
#include "analysis/KinematicLiftCurve.h"
#include "analysis/LoadParameters.h"

// The lowest engine speeds at which the elastic valve train misbehaves: the chain
// unloads while the rigid lift exceeds the bounce threshold (loft), or the valve bounces
// off its seat higher than that. Found by bracketing: speeds rising in steps of
// kSpeedScanRpm until the first that shows it, then halving the bracket to
// kSpeedResolutionRpm (a speed between two that do not misbehave is taken not to).
// None up to kSpeedScanLastRpm.
inline constexpr double kSpeedScanRpm = 1000;
inline constexpr double kSpeedScanLastRpm = 16000;
inline constexpr double kSpeedResolutionRpm = 10;

struct ElasticSpeedLimits {
  std::optional<double> loftRpm;
  std::optional<double> bounceRpm;
};
ElasticSpeedLimits FindElasticSpeedLimits(const KinematicLiftCurve& lift, const LoadParameters& load,
                                          const ElasticParameters& elastic);
