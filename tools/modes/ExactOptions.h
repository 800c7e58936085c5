#pragma once

#include <optional>
#include <vector>

#include "analysis/ModeSetting.h"
#include "common/CommandLine.h"

inline constexpr double kDefaultSvajStepDeg = 0.5;
inline constexpr double kMinSvajStepDeg = 0.001;  // 720,000 rows at most
inline constexpr double kMaxRpm = 100000;

// The options of the exact kinematics: --exact for the map, and --svaj for the lift,
// velocity, acceleration and jerk of one mode.
struct ExactOptions {
  bool exactMap = false;            // the map gains the exact model's columns
  std::optional<ModeSetting> svaj;  // one mode's SVAJ instead of the map
  std::optional<double> svajStepDeg;  // crank degrees between SVAJ rows; kDefaultSvajStepDeg if not given
  std::optional<double> rpm;        // engine speed: derivatives by time instead of by angle
  double StepDeg() const { return svajStepDeg.value_or(kDefaultSvajStepDeg); }
};

// Declares --exact, --svaj, --step and --rpm; --svaj excludes the given map options.
void DeclareExactOptions(CommandLine& line, ExactOptions& target, const std::vector<CLI::Option*>& mapOptions);
