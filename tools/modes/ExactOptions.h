#pragma once

#include <optional>
#include <vector>

#include "ShaftPositionText.h"
#include "analysis/TargetSolver.h"
#include "api/StudyRanges.h"
#include "common/CommandLine.h"


// The options of the exact kinematics: --exact for the map, and --svaj for the lift,
// velocity, acceleration and jerk of one mode.
struct ExactOptions {
  bool exactMap = false;            // the map gains the exact model's columns
  std::optional<ShaftPositions> svaj;  // one mode's SVAJ instead of the map
  std::optional<double> svajStepDeg;  // crank degrees between SVAJ rows; kDefaultSvajStepDeg if not given
  std::optional<double> rpm;        // engine speed: derivatives by time instead of by angle
  std::optional<TargetPoint> target;  // the modes that reach a lift and duration, instead of the map
  double StepDeg() const { return svajStepDeg.value_or(kDefaultSvajStepDeg); }
};

// The declared options other groups refer to.
struct ExactOptionHandles {
  CLI::Option* exact;
  CLI::Option* svaj;
  CLI::Option* step;
  CLI::Option* rpm;
  CLI::Option* target;
};

// Declares --exact, --svaj, --step, --rpm and --target; --svaj and --target exclude
// the given map options (--exact among them) and each other.
// --step and --rpm also serve --loads, so what they need is checked after parsing.
ExactOptionHandles DeclareExactOptions(CommandLine& line, ExactOptions& target,
                                       const std::vector<CLI::Option*>& mapOptions);

// A LIFT_MM,DURATION_DEG pair of decimal numbers within 0..kMaxTargetLiftMm and 0..kMaxTargetDurationDeg.
std::optional<TargetPoint> TargetPointOf(const std::string& text);
