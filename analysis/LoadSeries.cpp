#include "analysis/LoadSeries.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "analysis/CurvatureJumps.h"
#include "analysis/ParallelFor.h"

namespace {

constexpr double kCycleCrankDeg = 720;
// How far either side of a join of the cam's lobe and base circle its two rows are
// taken, in crank degrees: the roller's rest angle on the cam moves with the cam, by
// about 1e-11 rad, far beyond the join's rounding and far within the values' own.
constexpr double kJumpSide = 1e-9;

struct RowPlan {
  double crankDeg;
  int side;
  int arc;  // -1: the one that serves the crossing
};

void KeepLarger(std::optional<AtCrank>& best, double value, double crank, bool bySize = false) {
  const double size = bySize ? std::abs(value) : value;
  if (!best || size > (bySize ? std::abs(best->value) : best->value)) best = AtCrank{value, crank};
}

}  // namespace

std::vector<LoadRow> LoadSeries(const ExactKinematics& model, const LoadParameters& parameters,
                                const std::vector<double>& crankAngles, bool parallel) {
  std::vector<RowPlan> plan;
  plan.reserve(crankAngles.size() + 8);
  for (const double crank : crankAngles) plan.push_back({crank, 0, -1});
  for (const CurvatureJump& jump : CurvatureJumps(model)) {
    plan.push_back({jump.crankDeg, -1, jump.arcBefore});
    plan.push_back({jump.crankDeg, +1, jump.arcAfter});
  }
  std::stable_sort(plan.begin(), plan.end(), [](const RowPlan& a, const RowPlan& b) {
    return a.crankDeg != b.crankDeg ? a.crankDeg < b.crankDeg : a.side < b.side;
  });

  std::vector<LoadRow> rows(plan.size());
  const auto work = [&](std::size_t i) {
    const RowPlan& p = plan[i];
    if (p.arc >= 0) {
      // A hand-over: the crank angle itself, the derivatives from the arc of each side.
      rows[i] = LoadsAt(model, parameters, p.crankDeg, p.side, p.arc);
      return;
    }
    // Elsewhere the cam's own piece decides, a hair either side of the join.
    double at = p.crankDeg + p.side * kJumpSide;
    if (at < 0) at += kCycleCrankDeg;
    rows[i] = LoadsAt(model, parameters, at, p.side);
    rows[i].crankDeg = p.crankDeg;
  };
  if (parallel) {
    ParallelFor(plan.size(), work);
  } else {
    for (std::size_t i = 0; i < plan.size(); ++i) work(i);
  }
  return rows;
}

LoadSummary SummariseLoads(std::span<const LoadRow> rows) {
  LoadSummary summary;
  double sums[3] = {0, 0, 0};
  int evenRows = 0;
  for (const LoadRow& row : rows) {
    if (!row.determinate) {
      ++summary.missingRows;
      continue;
    }
    const double c = row.crankDeg;
    KeepLarger(summary.camshaft.peakNm, row.camshaftTorqueNm, c, true);
    KeepLarger(summary.green.peakNm, row.greenTorqueNm, c, true);
    KeepLarger(summary.orange.peakNm, row.orangeTorqueNm, c, true);
    if (row.side == 0) {
      sums[0] += row.camshaftTorqueNm;
      sums[1] += row.greenTorqueNm;
      sums[2] += row.orangeTorqueNm;
      ++evenRows;
    }
    KeepLarger(summary.peakCamHertzMPa, row.camHertzMPa, c);
    KeepLarger(summary.peakLeverHertzMPa, row.leverHertzMPa, c);
    KeepLarger(summary.peakRollerHertzMPa, row.rollerHertzMPa, c);
    if (row.pressureAngleDeg) KeepLarger(summary.largestPressureAngleDeg, *row.pressureAngleDeg, c);
    if (row.camRadiusMm && *row.camRadiusMm > 0) KeepLarger(summary.smallestCamRadiusMm, -*row.camRadiusMm, c);
    summary.undercut = summary.undercut || row.undercut;
    if (row.separationRpm) {
      if (!summary.separationRpm || *row.separationRpm < summary.separationRpm->value) {
        summary.separationRpm = AtCrank{*row.separationRpm, c};
      }
    }
    if (row.separated) ++summary.separatedRows;
    if (row.lost != 0) ++summary.lostRows;
    summary.lostContacts |= row.lost;
  }
  if (summary.smallestCamRadiusMm) summary.smallestCamRadiusMm->value *= -1;
  if (evenRows > 0) {
    summary.camshaft.meanNm = sums[0] / evenRows;
    summary.green.meanNm = sums[1] / evenRows;
    summary.orange.meanNm = sums[2] / evenRows;
  }
  return summary;
}

std::string LostContactNames(unsigned lost) {
  std::string names;
  const auto add = [&](unsigned bit, const char* name) {
    if ((lost & bit) == 0) return;
    if (!names.empty()) names += '+';
    names += name;
  };
  add(kCamContactLost, "cam");
  add(kLeverContactLost, "lever");
  add(kRollerContactLost, "roller");
  return names;
}
