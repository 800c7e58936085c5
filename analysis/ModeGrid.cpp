#include "analysis/ModeGrid.h"

std::vector<int> EvenlySpread(int first, int last, int count) {
  if (count < 2) return {first};
  std::vector<int> values;
  values.reserve(count);
  const long span = long(last) - first;
  const long intervals = count - 1;
  for (long i = 0; i < count; ++i) {
    // first + round(i * span / intervals), exactly, halves away from the first value.
    values.push_back(int(first + (2 * i * span + intervals) / (2 * intervals)));
  }
  return values;
}
