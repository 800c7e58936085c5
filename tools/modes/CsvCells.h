#pragma once

#include <string>
#include <string_view>

#include "analysis/ModeSummary.h"
#include "common/CsvNumbers.h"

// The columns of a mode summary, each name prefixed (e.g. "exact_"), with units.
std::string SummaryColumns(std::string_view prefix = {});
// The summary's cells in the order of SummaryColumns, each preceded by a comma.
void AppendSummaryCells(std::string& row, const ModeSummary& summary);
