#pragma once

#include <array>
#include <optional>

#include "analysis/ModeSummary.h"

// The quantities of a mode summary, in the order the CSV columns list them: the
// column name (with its unit), a name for people, the unit, and the value.
struct SummaryQuantity {
  const char* column;
  const char* label;
  const char* unit;
  std::optional<double> (*value)(const ModeSummary& summary);
  bool sampledAngle = false;   // a sample's crank angle, not one found between samples
  bool crankPosition = false;  // a place on the crank cycle (a duration is a length of one)
};

extern const std::array<SummaryQuantity, 9> kSummaryQuantities;
