#pragma once

#include <optional>
#include <span>

// What one mode's lift curve says, whatever model produced the curve: the maximum
// lift and where it occurs, and when the valve opens and closes at a lift threshold.

// One point of a lift curve over one engine cycle.
struct LiftSample {
  double crankDeg = 0;  // 0 <= crankDeg < the cycle
  double liftMm = 0;
};

// Where the lift curve crosses one threshold. Every value is empty when the curve
// never reaches the threshold; opening and closing are also empty when it never
// falls below it (the duration is then the whole cycle).
struct ThresholdTiming {
  std::optional<double> openingCrankDeg;
  std::optional<double> closingCrankDeg;
  std::optional<double> durationCrankDeg;
};

struct ModeSummary {
  std::optional<double> maxLiftMm;        // empty for an empty curve
  std::optional<double> maxLiftCrankDeg;  // first sample at the maximum
  bool opens = false;                     // the lift reaches kOpeningLiftMm
  ThresholdTiming atOpeningLift;          // kOpeningLiftMm
  ThresholdTiming atFullLift;             // kFullLiftMm
};

inline constexpr double kOpeningLiftMm = 0.1;
inline constexpr double kFullLiftMm = 1.0;
inline constexpr double kCycleCrankDeg = 720;  // the cam turns once per two crank turns

// Crossing angles are interpolated linearly between neighbouring samples; the curve
// is periodic, so the last sample's neighbour is the first one a cycle later. The
// valve opens at the first upward crossing after the lowest point of the curve and
// closes at the last downward crossing before that point comes round again, so that
// a wobble on a flank does not split one opening into two. Samples must be sorted by
// crank angle within [0, cycle).
ThresholdTiming TimingAt(std::span<const LiftSample> samples, double thresholdMm,
                         double cycleCrankDeg = kCycleCrankDeg);

ModeSummary SummariseLift(std::span<const LiftSample> samples,
                          double cycleCrankDeg = kCycleCrankDeg);
