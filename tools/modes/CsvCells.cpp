#include "CsvCells.h"

#include "analysis/SummaryQuantities.h"

// The summary's quantities as analysis/ names them. The crank angle of the maximum is
// a frame's angle, a multiple of the step, so it is written rounded; opening and
// closing are interpolated between frames, so they keep every digit.
CsvColumns<ModeSummary> SummaryColumns(const CrankOrigin& origin) {
  CsvColumns<ModeSummary> columns;
  for (const SummaryQuantity& quantity : kSummaryQuantities) {
    const auto value = [origin, value = quantity.value, position = quantity.crankPosition](const ModeSummary& s) {
      return position ? origin.Shown(value(s)) : value(s);
    };
    const std::string name = quantity.crankPosition ? origin.Column(quantity.column) : quantity.column;
    if (quantity.sampledAngle) {
      columns.push_back(
          {name, [value](std::string& line, const ModeSummary& s) { AppendRounded(line, value(s), kAngleDecimals); }});
    } else {
      columns.push_back(NumberColumn<ModeSummary>(name, value));
    }
  }
  return columns;
}
