#include "analysis/CycleExtreme.h"

#include <algorithm>
#include <boost/math/tools/minima.hpp>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

constexpr double kCycleCrankDeg = 720;
// Only the highest few rises are refined: more would cost time where rounding makes
// ripples on a flat stretch, and a peak below them cannot win.
constexpr std::size_t kMostRefined = 8;
constexpr int kBits = std::numeric_limits<double>::digits / 2;  // as precise as a minimiser's bracket gets
constexpr std::uintmax_t kMaxIterations = 200;

double Wrapped(double crankDeg) {
  const double wrapped = std::fmod(crankDeg, kCycleCrankDeg);
  return wrapped < 0 ? wrapped + kCycleCrankDeg : wrapped;
}

}  // namespace

std::optional<AtCrank> CycleMaximum(std::span<const CycleValue> rows,
                                    const std::function<std::optional<double>(double)>& valueAt) {
  std::optional<AtCrank> best;
  const std::size_t n = rows.size();
  double largestSize = 0;
  for (const CycleValue& row : rows) {
    if (row.value) largestSize = std::max(largestSize, std::abs(*row.value));
  }
  // Where the quantity has none, the maximiser sees a value below every other: finite,
  // so that its parabolas stay finite too.
  const double below = -(2 * largestSize + 1);
  const auto valueOf = [&](const CycleValue& row) { return row.value.value_or(below); };
  std::vector<std::size_t> rises;
  for (std::size_t i = 0; i < n; ++i) {
    if (!rows[i].value) continue;
    const double value = *rows[i].value;
    if (!best || value > best->value) best = AtCrank{value, rows[i].crankDeg};
    if (n < 3) continue;
    if (value > valueOf(rows[(i + n - 1) % n]) && value >= valueOf(rows[(i + 1) % n])) rises.push_back(i);
  }
  std::sort(rises.begin(), rises.end(), [&](std::size_t a, std::size_t b) { return *rows[a].value > *rows[b].value; });
  if (rises.size() > kMostRefined) rises.resize(kMostRefined);

  const auto negated = [&](double crank) {
    const std::optional<double> value = valueAt(Wrapped(crank));
    return value && std::isfinite(*value) ? -*value : -below;
  };
  for (const std::size_t i : rises) {
    // The neighbours a cycle round where the rows wrap.
    const double first = i == 0 ? rows[n - 1].crankDeg - kCycleCrankDeg : rows[i - 1].crankDeg;
    const double last = i + 1 == n ? rows[0].crankDeg + kCycleCrankDeg : rows[i + 1].crankDeg;
    if (!(first < rows[i].crankDeg && rows[i].crankDeg < last)) continue;
    std::uintmax_t iterations = kMaxIterations;
    const auto [crank, value] = boost::math::tools::brent_find_minima(negated, first, last, kBits, iterations);
    if (-value > best->value) best = AtCrank{-value, Wrapped(crank)};
  }
  return best;
}

std::optional<AtCrank> CycleMinimum(std::span<const CycleValue> rows,
                                    const std::function<std::optional<double>(double)>& valueAt) {
  std::vector<CycleValue> negated(rows.begin(), rows.end());
  for (CycleValue& row : negated) {
    if (row.value) row.value = -*row.value;
  }
  std::optional<AtCrank> lowest = CycleMaximum(negated, [&](double crank) {
    const std::optional<double> value = valueAt(crank);
    return value ? std::optional<double>(-*value) : std::nullopt;
  });
  if (lowest) lowest->value = -lowest->value;
  return lowest;
}
