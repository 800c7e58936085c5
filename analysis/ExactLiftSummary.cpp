#include "analysis/ExactLiftSummary.h"

#include <boost/math/tools/minima.hpp>
#include <boost/math/tools/toms748_solve.hpp>
#include <cmath>
#include <cstdint>
#include <vector>

#include "analysis/ModeSummary.h"

namespace {

// Steps fine enough that a lift curve has one maximum and at most one crossing of
// the threshold between neighbouring samples; the refinement does the rest.
constexpr double kSampleStepDeg = 2;
constexpr int kMinimiserBits = 40;
constexpr double kCrossingToleranceDeg = 1e-9;
constexpr std::uintmax_t kMaxIterations = 100;

double Wrapped(double crankDeg) {
  const double wrapped = std::fmod(crankDeg, kCycleCrankDeg);
  return wrapped < 0 ? wrapped + kCycleCrankDeg : wrapped;
}

// The lift where the model places the valve; empty elsewhere.
std::optional<double> LiftAt(const ExactKinematics& model, double crankDeg) {
  const ExactPose pose = model.PoseAt(Wrapped(crankDeg));
  if (pose.outcome != ExactOutcome::Placed) return std::nullopt;
  return model.LiftOf(pose.valveY);
}

// The crossing of the threshold in the sample step that holds the interpolated
// estimate, refined; the estimate itself where an end of that step has no position.
double RefinedCrossing(const ExactKinematics& model, double estimate) {
  const double first = std::floor(estimate / kSampleStepDeg) * kSampleStepDeg;
  const double last = first + kSampleStepDeg;
  const auto excess = [&](double crank) { return LiftAt(model, crank).value_or(NAN) - kFullLiftMm; };
  const double excessFirst = excess(first);
  const double excessLast = excess(last);
  if (!(excessFirst * excessLast <= 0)) return estimate;
  if (excessFirst == 0) return Wrapped(first);
  if (excessLast == 0) return Wrapped(last);
  std::uintmax_t iterations = kMaxIterations;
  const auto [a, b] = boost::math::tools::toms748_solve(
      excess, first, last, excessFirst, excessLast,
      [](double x, double y) { return std::abs(y - x) <= kCrossingToleranceDeg; }, iterations);
  return Wrapped((a + b) / 2);
}

}  // namespace

ExactLiftSummary SummariseExactLift(const ExactKinematics& model) {
  std::vector<LiftSample> samples;
  const int count = static_cast<int>(kCycleCrankDeg / kSampleStepDeg);
  samples.reserve(count);
  for (int i = 0; i < count; ++i) {
    const double crank = i * kSampleStepDeg;
    if (const auto lift = LiftAt(model, crank)) samples.push_back({crank, *lift});
  }
  ExactLiftSummary summary;
  if (samples.empty()) return summary;

  const ModeSummary sampled = SummariseLift(samples);
  summary.maxLiftMm = *sampled.maxLiftMm;
  summary.maxLiftCrankDeg = *sampled.maxLiftCrankDeg;
  // The maximum lies within a step of the highest sample.
  const double centre = summary.maxLiftCrankDeg;
  const auto negativeLift = [&](double crank) { return -LiftAt(model, crank).value_or(-1e300); };
  std::uintmax_t iterations = kMaxIterations;
  const auto [crank, negative] = boost::math::tools::brent_find_minima(
      negativeLift, centre - kSampleStepDeg, centre + kSampleStepDeg, kMinimiserBits, iterations);
  if (-negative > summary.maxLiftMm) {
    summary.maxLiftMm = -negative;
    summary.maxLiftCrankDeg = Wrapped(crank);
  }

  const ThresholdTiming& timing = sampled.atFullLift;
  if (!timing.durationCrankDeg) return summary;
  if (!timing.openingCrankDeg) {  // above the threshold all round
    summary.durationCrankDeg = kCycleCrankDeg;
    return summary;
  }
  summary.openingCrankDeg = RefinedCrossing(model, *timing.openingCrankDeg);
  summary.closingCrankDeg = RefinedCrossing(model, *timing.closingCrankDeg);
  double duration = *summary.closingCrankDeg - *summary.openingCrankDeg;
  if (duration <= 0) duration += kCycleCrankDeg;
  summary.durationCrankDeg = duration;
  return summary;
}
