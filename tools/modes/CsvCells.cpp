#include "CsvCells.h"

#include "analysis/SummaryQuantities.h"

namespace {

// The summary's quantities as analysis/ names them. The crank angle of the maximum is
// a frame's angle, a multiple of the step, so it is written rounded; opening and
// closing are interpolated between frames, so they keep every digit.
CsvColumns<ModeSummary> MakeSummaryColumns() {
  CsvColumns<ModeSummary> columns;
  for (const SummaryQuantity& quantity : kSummaryQuantities) {
    if (quantity.sampledAngle) {
      columns.push_back({quantity.column, [value = quantity.value](std::string& line, const ModeSummary& s) {
                           AppendRounded(line, value(s), kAngleDecimals);
                         }});
    } else {
      columns.push_back(NumberColumn<ModeSummary>(quantity.column, quantity.value));
    }
  }
  return columns;
}

}  // namespace

const CsvColumns<ModeSummary>& SummaryColumns() {
  static const CsvColumns<ModeSummary> columns = MakeSummaryColumns();
  return columns;
}
