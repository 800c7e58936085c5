#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "analysis/ModeSummary.h"

// CSV cells as every locale reads them: numbers in the shortest form that reads back
// to the same double, with a point for the decimals; no value (or one that is not a
// finite number) gives an empty cell, never a made-up number or "nan".
void AppendNumber(std::string& row, double value);
void AppendNumber(std::string& row, std::optional<double> value);
void AppendNumber(std::string& row, long value);

// The columns of a mode summary, each name prefixed (e.g. "exact_"), with units.
std::string SummaryColumns(std::string_view prefix = {});
// The summary's cells in the order of SummaryColumns, each preceded by a comma.
void AppendSummaryCells(std::string& row, const ModeSummary& summary);
