#include "common/CsvNumbers.h"

#include <charconv>
#include <cmath>

void AppendNumber(std::string& row, double value) {
  if (!std::isfinite(value)) return;
  // 32 characters hold the shortest form of any double, so to_chars cannot fail.
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  row.append(text, result.ptr);
}

void AppendNumber(std::string& row, std::optional<double> value) {
  if (value) AppendNumber(row, *value);
}

void AppendNumber(std::string& row, long value) {
  char text[24];
  const auto result = std::to_chars(text, text + sizeof text, value);
  row.append(text, result.ptr);
}
