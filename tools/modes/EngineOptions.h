#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/EngineShaftTorque.h"
#include "common/CommandLine.h"

// --cylinders N with --firing-order and --valves-per-cylinder: the control shafts'
// torques for a whole engine beside one mode's per-valve rows.
struct EngineOptions {
  int cylinders = 0;  // 0: not asked for
  std::vector<int> firingOrder;  // empty: the default for that many cylinders
  int valvesPerCylinder = 1;

  bool Given() const { return cylinders > 0; }
  EngineLayout Layout() const;
};

// Declares the three; --cylinders needs --loads, the other two --cylinders.
// Returns --cylinders.
CLI::Option* DeclareEngineOptions(CommandLine& line, EngineOptions& target, CLI::Option* loads);
// The one-line error where the firing order does not fit the cylinders, or empty.
std::string EngineOptionsConflict(const EngineOptions& engine);
// "1-3-4-2", as the settings note writes it.
std::string FiringOrderText(const std::vector<int>& order);

std::string EngineHelp();
