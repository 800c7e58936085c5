#pragma once

#include "analysis/ModeSummary.h"
#include "common/CsvColumns.h"

// The columns of a mode summary, with units.
const CsvColumns<ModeSummary>& SummaryColumns();
