#pragma once

#include <string>

#include "api/CrankOrigin.h"
#include "analysis/ElasticCycle.h"
#include "analysis/ElasticSpeedLimits.h"
#include "api/TableColumns.h"

// torlin-modes --loads --dynamics: the elastic valve train's columns beside each load
// row (its periodic cycle at --rpm, at the row's crank angle), and its summary lines.
CsvColumns<ElasticRow> DynamicsRowColumns();
