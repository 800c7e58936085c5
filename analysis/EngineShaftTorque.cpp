#include "analysis/EngineShaftTorque.h"

#include <algorithm>
#include <cmath>

#include "analysis/LoadSeries.h"

namespace {

constexpr double kCycleDeg = 720;

}  // namespace

std::vector<int> DefaultFiringOrder(int cylinders) {
  if (cylinders == 4) return {1, 3, 4, 2};
  if (cylinders == 6) return {1, 5, 3, 6, 2, 4};
  std::vector<int> order;
  for (int c = 1; c <= cylinders; ++c) order.push_back(c);
  return order;
}

std::string FiringOrderProblem(const std::vector<int>& order, int cylinders) {
  if (order.size() != static_cast<std::size_t>(cylinders)) {
    return "the firing order names " + std::to_string(order.size()) + " cylinders, not " + std::to_string(cylinders);
  }
  std::vector<bool> seen(static_cast<std::size_t>(cylinders) + 1, false);
  for (const int c : order) {
    if (c < 1 || c > cylinders) return "cylinder " + std::to_string(c) + " is not one of 1 to " + std::to_string(cylinders);
    if (seen[static_cast<std::size_t>(c)]) return "cylinder " + std::to_string(c) + " fires twice";
    seen[static_cast<std::size_t>(c)] = true;
  }
  return {};
}

double FiringOffsetDeg(const EngineLayout& layout, int place) { return kCycleDeg / layout.cylinders * place; }

std::optional<EngineShaftTorques> EngineShaftTorquesAt(const ExactKinematics& model, const LoadParameters& parameters,
                                                       const EngineLayout& layout, const CrankPlace& place) {
  EngineShaftTorques sum;
  for (int p = 0; p < layout.cylinders; ++p) {
    LoadRow row;
    if (p == 0) {
      row = LoadsAt(model, parameters, place);
    } else {
      double crank = std::fmod(place.crankDeg - FiringOffsetDeg(layout, p), kCycleDeg);
      if (crank < 0) crank += kCycleDeg;
      row = LoadsAt(model, parameters, crank);
    }
    if (!row.determinate) return std::nullopt;
    sum.greenNm += row.greenTorqueNm;
    sum.orangeNm += row.orangeTorqueNm;
  }
  sum.greenNm *= layout.valvesPerCylinder;
  sum.orangeNm *= layout.valvesPerCylinder;
  return sum;
}

EngineTorqueSummary SummariseEngineTorque(const std::vector<EngineTorqueRow>& rows, double EngineShaftTorques::*shaft) {
  EngineTorqueSummary summary;
  double sum = 0;
  int even = 0;
  double low = 0;
  double high = 0;
  for (const EngineTorqueRow& row : rows) {
    if (!row.torques) continue;
    const double value = (*row.torques).*shaft;
    if (!summary.peakNm) {
      low = high = value;
    }
    if (!summary.peakNm || std::abs(value) > std::abs(summary.peakNm->value)) {
      summary.peakNm = AtCrank{value, row.place.crankDeg};
    }
    low = std::min(low, value);
    high = std::max(high, value);
    if (row.place.side == 0) {
      sum += value;
      ++even;
    }
  }
  if (summary.peakNm) summary.rippleNm = high - low;
  if (even > 0) summary.meanNm = sum / even;
  return summary;
}
