#pragma once

#include <optional>
#include <string>
#include <vector>

#include "api/CrankOrigin.h"
#include "analysis/EngineShaftTorque.h"
#include "api/TableColumns.h"

// torlin-modes --loads --cylinders: the engine's control-shaft torques beside each row,
// and their peaks, means and ripples as summary lines.
CsvColumns<std::optional<EngineShaftTorques>> EngineRowColumns();
