#pragma once

#include <string>
#include <vector>

#include "analysis/DesignLimits.h"
#include "analysis/LoadSeries.h"

// A mode's flags against the limits as a page shows them: each limit crossed by its
// name, in torlin-modes' words (its '# warning' line's text), and whether the motion
// fails at the engine speed itself, past which the rigid numbers do not describe it.
struct ShownLimitFlag {
  std::string name;
  std::string text;
  bool pastTheSpeed = false;
};
std::vector<ShownLimitFlag> ShownLimitFlags(const LoadSummary& loads, double rpm, const DesignLimits& limits);
