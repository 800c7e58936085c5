#include "CsvRow.h"

#include <charconv>

namespace {

template <typename Number>
void AppendField(std::string& row, Number value) {
  if (!row.empty()) row += ',';
  char digits[32];
  // 32 characters hold the shortest form of any double, so this cannot fail.
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  row.append(digits, result.ptr);
}

}  // namespace

std::string CsvRow(const FrameReport& report) {
  std::string row;
  row.reserve(160);
  AppendField(row, report.revolution);
  AppendField(row, report.camAngle);
  AppendField(row, report.bestPitchIndex);
  AppendField(row, report.bestLeverIndex);
  AppendField(row, report.rollerX);
  AppendField(row, report.rollerY);
  AppendField(row, report.X);
  AppendField(row, report.Y);
  AppendField(row, report.valveY);
  row += '\n';
  return row;
}
