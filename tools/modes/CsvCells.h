#pragma once

#include "CrankOrigin.h"
#include "analysis/ModeSummary.h"
#include "common/CsvColumns.h"

// The columns of a mode summary, with units; crank positions measured from origin.
CsvColumns<ModeSummary> SummaryColumns(const CrankOrigin& origin = {});
