#include "analysis/EngineShaftTorque.h"

#include <algorithm>
#include <cmath>

#include "analysis/LoadSeries.h"

namespace {

constexpr double kCycleDeg = 720;
// Crank angles this close are the same row's (rows lie 0.001 degrees apart or more;
// an angle shifted by a firing interval differs from the row's by rounding).
constexpr double kSameCrankDeg = 1e-8;

// The crank angle of the cylinder fired p-th that stands at crankDeg of the first's:
// 720/N * p degrees earlier in its own cycle.
double EarlierCrankDeg(const EngineLayout& layout, double crankDeg, int p) {
  double crank = std::fmod(crankDeg - FiringOffsetDeg(layout, p), kCycleDeg);
  if (crank < 0) crank += kCycleDeg;
  return crank;
}

std::optional<EngineShaftTorques> TorquesOf(const LoadRow& row) {
  if (!row.determinate) return std::nullopt;
  return EngineShaftTorques{row.greenTorqueNm, row.orangeTorqueNm};
}

// Each cylinder's torques, cylinderAt(p) for p = 0 .. N - 1, summed for every valve a
// shaft works; none where any cylinder has none.
template <class CylinderAt>
std::optional<EngineShaftTorques> SumOverCylinders(const EngineLayout& layout, CylinderAt cylinderAt) {
  EngineShaftTorques sum;
  for (int p = 0; p < layout.cylinders; ++p) {
    const std::optional<EngineShaftTorques> one = cylinderAt(p);
    if (!one) return std::nullopt;
    sum.greenNm += one->greenNm;
    sum.orangeNm += one->orangeNm;
  }
  sum.greenNm *= layout.valvesPerCylinder;
  sum.orangeNm *= layout.valvesPerCylinder;
  return sum;
}

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
  return SumOverCylinders(layout, [&](int p) -> std::optional<EngineShaftTorques> {
    const LoadRow row = p == 0 ? LoadsAt(model, parameters, place)
                               : LoadsAt(model, parameters, EarlierCrankDeg(layout, place.crankDeg, p));
    return TorquesOf(row);
  });
}

std::optional<EngineShaftTorques> EngineShaftTorquesOfRows(std::span<const LoadRow> rows, const EngineLayout& layout,
                                                           std::size_t i) {
  return SumOverCylinders(layout, [&](int p) -> std::optional<EngineShaftTorques> {
    if (p == 0) return TorquesOf(rows[i]);
    const double crank = EarlierCrankDeg(layout, rows[i].crankDeg, p);
    // The rows that stand there, if any (at a jump the one of the same side, else the
    // evenly spaced one); else the two either side of it.
    const auto first = std::partition_point(rows.begin(), rows.end(),
                                            [&](const LoadRow& r) { return r.crankDeg < crank - kSameCrankDeg; });
    const auto after =
        std::partition_point(first, rows.end(), [&](const LoadRow& r) { return r.crankDeg <= crank + kSameCrankDeg; });
    if (first != after) {
      for (const int side : {rows[i].side, 0}) {
        const auto same = std::find_if(first, after, [&](const LoadRow& r) { return r.side == side; });
        if (same != after) return TorquesOf(*same);
      }
      return TorquesOf(*first);
    }
    const LoadRow& below = first == rows.begin() ? rows.back() : *std::prev(first);
    const LoadRow& above = after == rows.end() ? rows.front() : *after;
    const double from = first == rows.begin() ? below.crankDeg - kCycleDeg : below.crankDeg;
    const double to = after == rows.end() ? above.crankDeg + kCycleDeg : above.crankDeg;
    const std::optional<EngineShaftTorques> a = TorquesOf(below);
    const std::optional<EngineShaftTorques> b = TorquesOf(above);
    if (!a || !b) return std::nullopt;
    const double share = (crank - from) / (to - from);
    return EngineShaftTorques{a->greenNm + share * (b->greenNm - a->greenNm),
                              a->orangeNm + share * (b->orangeNm - a->orangeNm)};
  });
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
