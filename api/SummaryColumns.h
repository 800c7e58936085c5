#pragma once

#include "api/CrankOrigin.h"
#include "analysis/ModeSummary.h"
#include "api/TableColumns.h"

// The columns of a mode summary, with units; crank positions measured from origin.
CsvColumns<ModeSummary> SummaryColumns(const CrankOrigin& origin = {});
