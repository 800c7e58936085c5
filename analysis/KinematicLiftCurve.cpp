#include "analysis/KinematicLiftCurve.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

constexpr double kCycleDeg = 720;

// The samples closed into a period: the first repeated at 720.
std::vector<double> Closed(std::vector<double> values) {
  values.push_back(values.front());
  return values;
}

// The middle of the longest run of zero lift, the run allowed to wrap round the cycle.
std::optional<double> MiddleOfLongestRest(const std::vector<double>& lift, double stepDeg) {
  const std::size_t n = lift.size();
  std::size_t bestLength = 0;
  std::size_t bestStart = 0;
  for (std::size_t start = 0; start < n; ++start) {
    if (lift[start] != 0 || lift[(start + n - 1) % n] == 0) continue;  // runs start after a lift
    std::size_t length = 0;
    while (length < n && lift[(start + length) % n] == 0) ++length;
    if (length > bestLength) {
      bestLength = length;
      bestStart = start;
    }
  }
  if (bestLength == 0) return std::nullopt;
  return std::fmod((static_cast<double>(bestStart) + static_cast<double>(bestLength) / 2) * stepDeg, kCycleDeg);
}

}  // namespace

KinematicLiftCurve::KinematicLiftCurve(std::vector<double> liftMm, std::vector<double> velocityMmPerDeg,
                                       std::vector<double> accelerationMmPerDeg2, double stepDeg)
    : curve_(Closed(liftMm), Closed(std::move(velocityMmPerDeg)), Closed(std::move(accelerationMmPerDeg2)), 0.0,
             stepDeg),
      stepDeg_(stepDeg),
      resting_(MiddleOfLongestRest(liftMm, stepDeg)),
      peak_(*std::max_element(liftMm.begin(), liftMm.end())) {}

double KinematicLiftCurve::Wrapped(double crankDeg) {
  // Integrators ask within a cycle or two of zero: one subtraction, exact there (as
  // fmod's result), spares fmod's cost.
  if (crankDeg >= 0 && crankDeg < kCycleDeg) return crankDeg;
  if (crankDeg >= kCycleDeg && crankDeg < 2 * kCycleDeg) return crankDeg - kCycleDeg;
  const double wrapped = std::fmod(crankDeg, kCycleDeg);
  return wrapped < 0 ? wrapped + kCycleDeg : wrapped;
}

std::optional<KinematicLiftCurve> KinematicLiftCurve::FromExact(const ExactKinematics& model, double stepDeg) {
  const auto count = static_cast<std::size_t>(std::lround(kCycleDeg / stepDeg));
  std::vector<double> lift(count);
  std::vector<double> velocity(count);
  std::vector<double> acceleration(count);
  std::vector<char> seated(count);
  std::optional<double> rest;
  for (std::size_t i = 0; i < count; ++i) {
    const double crank = static_cast<double>(i) * stepDeg;
    const ExactSvaj svaj = model.SvajAt(crank);
    if (svaj.outcome != ExactOutcome::Placed) return std::nullopt;
    lift[i] = svaj.lift;
    velocity[i] = svaj.velocity;
    acceleration[i] = svaj.acceleration;
    // The exact model gives a seated valve no derivatives at all.
    seated[i] = svaj.velocity == 0 && svaj.acceleration == 0 && svaj.jerk == 0;
    if (seated[i] && !rest) rest = svaj.lift;
  }
  // Lift from the rest, exactly zero while seated.
  for (std::size_t i = 0; i < count; ++i) lift[i] = seated[i] ? 0 : lift[i] - rest.value_or(0);
  return KinematicLiftCurve(std::move(lift), std::move(velocity), std::move(acceleration), stepDeg);
}
