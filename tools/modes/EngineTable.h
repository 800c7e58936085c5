#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CrankOrigin.h"
#include "analysis/EngineShaftTorque.h"
#include "common/CsvColumns.h"

// torlin-modes --loads --cylinders: the engine's control-shaft torques beside each row,
// and their peaks, means and ripples as summary lines.
CsvColumns<std::optional<EngineShaftTorques>> EngineRowColumns();
std::string EngineSummaryBlock(const std::vector<EngineTorqueRow>& rows, const CrankOrigin& origin);
