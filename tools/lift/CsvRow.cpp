#include "CsvRow.h"

#include "common/CsvNumbers.h"

namespace {

template <typename Number>
void AppendField(std::string& row, Number value) {
  if (!row.empty()) row += ',';
  AppendNumber(row, value);
}

}  // namespace

std::string CsvRow(const FrameReport& report) {
  std::string row;
  row.reserve(160);
  AppendField(row, report.revolution);
  AppendField(row, report.camAngle);
  AppendField(row, long{report.bestPitchIndex});
  AppendField(row, long{report.bestLeverIndex});
  AppendField(row, report.rollerX);
  AppendField(row, report.rollerY);
  AppendField(row, report.X);
  AppendField(row, report.Y);
  AppendField(row, report.valveY);
  row += '\n';
  return row;
}
