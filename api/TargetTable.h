#pragma once

#include "api/CrankOrigin.h"
#include "analysis/TargetSolver.h"
#include "geometry/Mechanism.h"
#include "api/TableColumns.h"

// A row of torlin-modes --target: a mode that reaches the target, or the nearest one.
struct TargetRow {
  TargetMode mode;
  bool reaches = false;
};

// Crank positions (the timing) measured from origin.
CsvColumns<TargetRow> TargetColumns(const MechanismPtr& mechanism, const CrankOrigin& origin = {});
// A target as "LIFT mm over DURATION crank degrees".
std::string TargetText(TargetPoint target);
