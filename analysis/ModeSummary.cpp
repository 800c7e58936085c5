#include "analysis/ModeSummary.h"

#include <cstddef>

namespace {

// Crank angle where the segment from a to b (b may lie a cycle on) meets the
// threshold, wrapped into [0, cycle).
double Crossing(const LiftSample& a, const LiftSample& b, double bCrankDeg, double thresholdMm,
                double cycleCrankDeg) {
  const double t = (thresholdMm - a.liftMm) / (b.liftMm - a.liftMm);
  const double angle = a.crankDeg + t * (bCrankDeg - a.crankDeg);
  return angle >= cycleCrankDeg ? angle - cycleCrankDeg : angle;
}

}  // namespace

ThresholdTiming TimingAt(std::span<const LiftSample> samples, double thresholdMm,
                         double cycleCrankDeg) {
  ThresholdTiming timing;
  const std::size_t n = samples.size();
  if (n == 0) return timing;

  std::size_t lowest = 0;
  bool reached = false;
  for (std::size_t i = 0; i < n; ++i) {
    if (samples[i].liftMm < samples[lowest].liftMm) lowest = i;
    if (samples[i].liftMm >= thresholdMm) reached = true;
  }
  if (!reached) return timing;
  if (samples[lowest].liftMm >= thresholdMm) {
    timing.durationCrankDeg = cycleCrankDeg;
    return timing;
  }

  // One cycle from the lowest point round to it again. The lowest point is below
  // the threshold, so the first crossing met is upward and the last one downward.
  double opening = 0;
  double closing = 0;
  bool opened = false;
  for (std::size_t step = 0; step < n; ++step) {
    const std::size_t i = (lowest + step) % n;
    const std::size_t next = (i + 1) % n;
    const LiftSample& a = samples[i];
    const LiftSample& b = samples[next];
    const double bCrankDeg = next == 0 ? b.crankDeg + cycleCrankDeg : b.crankDeg;
    if (!opened && a.liftMm < thresholdMm && b.liftMm >= thresholdMm) {
      opening = Crossing(a, b, bCrankDeg, thresholdMm, cycleCrankDeg);
      opened = true;
    }
    if (a.liftMm >= thresholdMm && b.liftMm < thresholdMm) {
      closing = Crossing(a, b, bCrankDeg, thresholdMm, cycleCrankDeg);
    }
  }
  timing.openingCrankDeg = opening;
  timing.closingCrankDeg = closing;
  double duration = closing - opening;
  if (duration <= 0) duration += cycleCrankDeg;
  timing.durationCrankDeg = duration;
  return timing;
}

ModeSummary SummariseLift(std::span<const LiftSample> samples, double cycleCrankDeg) {
  ModeSummary summary;
  if (samples.empty()) return summary;
  std::size_t highest = 0;
  for (std::size_t i = 1; i < samples.size(); ++i) {
    if (samples[i].liftMm > samples[highest].liftMm) highest = i;
  }
  summary.maxLiftMm = samples[highest].liftMm;
  summary.maxLiftCrankDeg = samples[highest].crankDeg;
  summary.atOpeningLift = TimingAt(samples, kOpeningLiftMm, cycleCrankDeg);
  summary.atFullLift = TimingAt(samples, kFullLiftMm, cycleCrankDeg);
  summary.opens = summary.atOpeningLift.durationCrankDeg.has_value();
  return summary;
}
