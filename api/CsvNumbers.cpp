#include "api/CsvNumbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

void AppendNumber(std::string& row, double value) {
  if (!std::isfinite(value)) return;
  // 32 characters hold the shortest form of any double, so to_chars cannot fail.
  char text[32];
#if defined(__cpp_lib_to_chars)
  const auto result = std::to_chars(text, text + sizeof text, value);
  row.append(text, result.ptr);
#else
  // The WebAssembly toolchain's library has no to_chars for doubles: as to_chars does,
  // the fewest significant digits that read back to the same double, written plain or
  // with an exponent, whichever is shorter (plain on a tie), in the C locale's form.
  int digits = 1;
  for (; digits < 17; ++digits) {
    std::snprintf(text, sizeof text, "%.*e", digits - 1, value);
    if (std::strtod(text, nullptr) == value) break;
  }
  std::snprintf(text, sizeof text, "%.*e", digits - 1, value);
  const int exponent = std::atoi(std::strchr(text, 'e') + 1);
  char plain[400];  // the largest double written out whole has 309 digits
  std::snprintf(plain, sizeof plain, "%.*f", std::max(0, digits - 1 - exponent), value);
  row += std::strlen(plain) <= std::strlen(text) ? plain : text;
#endif
}

void AppendNumber(std::string& row, std::optional<double> value) {
  if (value) AppendNumber(row, *value);
}

void AppendNumber(std::string& row, long value) {
  char text[24];
  const auto result = std::to_chars(text, text + sizeof text, value);
  row.append(text, result.ptr);
}

void AppendRounded(std::string& row, double value, int decimals) {
  if (!std::isfinite(value) || std::abs(value) >= 1e15) return AppendNumber(row, value);
  char text[48];
#if defined(__cpp_lib_to_chars)
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  std::string_view written(text, std::size_t(result.ptr - text));
#else
  std::string_view written(text, std::size_t(std::snprintf(text, sizeof text, "%.*f", decimals, value)));
#endif
  if (written.find('.') != std::string_view::npos) {
    while (written.back() == '0') written.remove_suffix(1);
    if (written.back() == '.') written.remove_suffix(1);
  }
  if (written == "-0") written = "0";
  row += written;
}

void AppendRounded(std::string& row, std::optional<double> value, int decimals) {
  if (value) AppendRounded(row, *value, decimals);
}

double RoundedNumber(double value, int decimals) {
  if (!std::isfinite(value)) return value;
  std::string text;
  AppendRounded(text, value, decimals);
  double rounded = value;
#if defined(__cpp_lib_to_chars)
  std::from_chars(text.data(), text.data() + text.size(), rounded);
#else
  rounded = std::strtod(text.c_str(), nullptr);  // the page's runtime keeps the C locale
#endif
  return rounded;
}
