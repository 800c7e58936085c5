#pragma once

#include <vector>

#include "analysis/CrankPlaces.h"
#include "analysis/DemonstrationRevolution.h"
#include "analysis/ExactKinematics.h"
#include "api/ShaftPositions.h"
#include "api/SvajTable.h"

// What one mode's SVAJ table is computed from: the exact model, the window's
// revolution at its speed (none between whole bar values, which the window cannot
// take) and the crank places of its rows (SvajAngles). Rows come from SvajRowsAt.
struct SvajPlan {
  ExactKinematics model;
  DemonstrationRevolution window;
  std::vector<CrankPlace> places;
};
SvajPlan PlanSvaj(const MechanismPtr& mechanism, ShaftPositions mode, double stepDeg, int windowSpeed);

// All of a plan's rows at once.
inline std::vector<SvajRow> SvajRowsOf(const SvajPlan& plan) { return SvajRowsAt(plan.model, plan.places, plan.window); }
