#include "CsvCells.h"

#include "analysis/SummaryQuantities.h"

std::string SummaryColumns(std::string_view prefix) {
  std::string columns;
  for (const SummaryQuantity& quantity : kSummaryQuantities) {
    if (!columns.empty()) columns += ',';
    columns += prefix;
    columns += quantity.column;
  }
  return columns;
}

void AppendSummaryCells(std::string& row, const ModeSummary& summary) {
  for (const SummaryQuantity& quantity : kSummaryQuantities) {
    row += ',';
    AppendNumber(row, quantity.value(summary));
  }
}
