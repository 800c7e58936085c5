#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/ElasticCycle.h"
#include "analysis/ElasticSpeedLimits.h"
#include "analysis/EngineShaftTorque.h"
#include "analysis/FrictionCycle.h"
#include "api/CrankOrigin.h"
#include "api/LoadsTable.h"
#include "api/SvajTable.h"

// The summaries torlin-modes writes after a table's rows, as "# name,value" lines.

// After the rows, the peaks of lift, velocity, acceleration and jerk over the
// continuous cycle with their crank angles, and at each jump where the acceleration
// steps the jerk's Dirac impulse, as "# name,value" lines (by time at rpm, if given).
std::string SvajPeaksBlock(const ExactKinematics& model, std::span<const SvajRow> rows, std::optional<double> rpm,
                           const CrankOrigin& origin = {});

std::string LoadSummaryBlock(const LoadSummary& summary, const CrankOrigin& origin, bool bodies = false);

std::string FrictionSummaryBlock(const FrictionSummary& summary, const CrankOrigin& origin);

std::string DynamicsSummaryBlock(const ElasticCycle& cycle, const ElasticSpeedLimits& limits,
                                 const CrankOrigin& origin);

std::string EngineSummaryBlock(const std::vector<EngineTorqueRow>& rows, const CrankOrigin& origin);
