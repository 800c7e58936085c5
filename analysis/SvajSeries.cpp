#include "analysis/SvajSeries.h"

#include <cmath>

namespace {
constexpr double kCrankDegPerRevolution = 720;  // the crank turns twice per cam turn
constexpr double kMmPerM = 1000;
}  // namespace

std::vector<double> CrankAngles(double stepDeg) {
  // Multiples of the step rather than a running sum, so no error builds up; the
  // allowance keeps 720 itself out where 720 / step rounds just below a whole number.
  const auto count = static_cast<std::size_t>(std::ceil(kCrankDegPerRevolution / stepDeg - 1e-9));
  std::vector<double> angles(count);
  for (std::size_t i = 0; i < count; ++i) angles[i] = static_cast<double>(i) * stepDeg;
  return angles;
}

std::vector<SvajSample> SvajSeries(const ExactKinematics& model, double stepDeg) {
  return SvajSeries(model, CrankAngles(stepDeg));
}

std::vector<SvajSample> SvajSeries(const ExactKinematics& model, const std::vector<double>& angles) {
  std::vector<SvajSample> samples(angles.size());
  for (std::size_t i = 0; i < angles.size(); ++i) samples[i] = {angles[i], model.SvajAt(angles[i])};
  return samples;
}

std::vector<SvajSample> SvajSeries(const ExactKinematics& model, std::span<const CrankPlace> places) {
  std::vector<SvajSample> samples(places.size());
  for (std::size_t i = 0; i < places.size(); ++i) {
    samples[i] = {places[i].crankDeg, SvajAt(model, places[i]), places[i].side};
  }
  return samples;
}

SvajByTime ToTimeUnits(const ExactSvaj& svaj, double rpm) {
  const double crankDegPerSecond = 6 * rpm;
  SvajByTime byTime;
  byTime.velocity = svaj.velocity * crankDegPerSecond;
  byTime.acceleration = svaj.acceleration * crankDegPerSecond * crankDegPerSecond / kMmPerM;
  byTime.jerk = svaj.jerk * std::pow(crankDegPerSecond, 3) / kMmPerM;
  return byTime;
}
