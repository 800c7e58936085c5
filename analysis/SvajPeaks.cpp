#include "analysis/SvajPeaks.h"

#include <algorithm>
#include <cmath>

#include "analysis/CycleExtreme.h"

namespace {

// An acceleration step smaller than this share of the largest acceleration is rounding.
constexpr double kRoundingShare = 1e-9;

using Quantity = double ExactSvaj::*;

std::vector<CycleValue> ValuesOf(std::span<const SvajSample> rows, Quantity quantity) {
  std::vector<CycleValue> values(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    values[i].crankDeg = rows[i].crankDeg;
    if (rows[i].svaj.outcome == ExactOutcome::Placed) values[i].value = rows[i].svaj.*quantity;
  }
  return values;
}

void Scale(std::optional<AtCrank>& at, double factor) {
  if (at) at->value *= factor;
}

}  // namespace

SvajPeaks PeaksOf(const ExactKinematics& model, std::span<const SvajSample> rows) {
  SvajPeaks peaks;
  const auto at = [&](Quantity quantity) {
    return [&model, quantity](double crank) {
      const ExactSvaj svaj = model.SvajAt(crank);
      return svaj.outcome == ExactOutcome::Placed ? std::optional<double>(svaj.*quantity) : std::nullopt;
    };
  };
  const std::vector<CycleValue> lift = ValuesOf(rows, &ExactSvaj::lift);
  const std::vector<CycleValue> velocity = ValuesOf(rows, &ExactSvaj::velocity);
  const std::vector<CycleValue> acceleration = ValuesOf(rows, &ExactSvaj::acceleration);
  const std::vector<CycleValue> jerk = ValuesOf(rows, &ExactSvaj::jerk);
  peaks.maxLift = CycleMaximum(lift, at(&ExactSvaj::lift));
  peaks.highestVelocity = CycleMaximum(velocity, at(&ExactSvaj::velocity));
  peaks.lowestVelocity = CycleMinimum(velocity, at(&ExactSvaj::velocity));
  peaks.highestAcceleration = CycleMaximum(acceleration, at(&ExactSvaj::acceleration));
  peaks.lowestAcceleration = CycleMinimum(acceleration, at(&ExactSvaj::acceleration));
  peaks.highestJerk = CycleMaximum(jerk, at(&ExactSvaj::jerk));
  peaks.lowestJerk = CycleMinimum(jerk, at(&ExactSvaj::jerk));

  double largest = 0;
  if (peaks.highestAcceleration) largest = std::max(largest, std::abs(peaks.highestAcceleration->value));
  if (peaks.lowestAcceleration) largest = std::max(largest, std::abs(peaks.lowestAcceleration->value));
  for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
    const SvajSample& below = rows[i];
    const SvajSample& above = rows[i + 1];
    if (below.side != -1 || above.side != +1 || below.crankDeg != above.crankDeg) continue;
    if (below.svaj.outcome != ExactOutcome::Placed || above.svaj.outcome != ExactOutcome::Placed) continue;
    const double step = above.svaj.acceleration - below.svaj.acceleration;
    if (std::abs(step) > kRoundingShare * largest) peaks.jerkImpulses.push_back({step, below.crankDeg});
  }
  return peaks;
}

SvajPeaks PeaksByTime(const SvajPeaks& peaks, double rpm) {
  const SvajByTime unit = ToTimeUnits({ExactOutcome::Placed, 1, 1, 1, 1}, rpm);
  SvajPeaks byTime = peaks;
  Scale(byTime.highestVelocity, unit.velocity);
  Scale(byTime.lowestVelocity, unit.velocity);
  Scale(byTime.highestAcceleration, unit.acceleration);
  Scale(byTime.lowestAcceleration, unit.acceleration);
  Scale(byTime.highestJerk, unit.jerk);
  Scale(byTime.lowestJerk, unit.jerk);
  for (AtCrank& impulse : byTime.jerkImpulses) impulse.value *= unit.acceleration;
  return byTime;
}
