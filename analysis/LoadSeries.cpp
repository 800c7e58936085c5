#include "analysis/LoadSeries.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "analysis/CurvatureJumps.h"

namespace {

constexpr double kCycleCrankDeg = 720;
// How far either side of a join of the cam's lobe and base circle its two rows are
// taken, in crank degrees: the roller's rest angle on the cam moves with the cam, by
// about 1e-11 rad, far beyond the join's rounding and far within the values' own.
constexpr double kJumpSide = 1e-9;

void KeepLarger(std::optional<AtCrank>& best, double value, double crank, bool bySize = false) {
  const double size = bySize ? std::abs(value) : value;
  if (!best || size > (bySize ? std::abs(best->value) : best->value)) best = AtCrank{value, crank};
}

}  // namespace

std::vector<LoadRowPlace> LoadRowPlaces(const ExactKinematics& model, const std::vector<double>& crankAngles) {
  std::vector<LoadRowPlace> places;
  places.reserve(crankAngles.size() + 8);
  for (const double crank : crankAngles) places.push_back({crank, 0, -1});
  for (const CurvatureJump& jump : CurvatureJumps(model)) {
    places.push_back({jump.crankDeg, -1, jump.arcBefore});
    places.push_back({jump.crankDeg, +1, jump.arcAfter});
  }
  std::stable_sort(places.begin(), places.end(), [](const LoadRowPlace& a, const LoadRowPlace& b) {
    return a.crankDeg != b.crankDeg ? a.crankDeg < b.crankDeg : a.side < b.side;
  });
  return places;
}

LoadRow LoadsAt(const ExactKinematics& model, const LoadParameters& parameters, const LoadRowPlace& place,
                SeatedRows seatedRows) {
  if (place.arc >= 0) {
    // A hand-over: the crank angle itself, the derivatives from the arc of each side.
    return LoadsAt(model, parameters, place.crankDeg, place.side, place.arc, seatedRows);
  }
  // Elsewhere the cam's own piece decides, a hair either side of a join.
  double at = place.crankDeg + place.side * kJumpSide;
  if (at < 0) at += kCycleCrankDeg;
  LoadRow row = LoadsAt(model, parameters, at, place.side, std::nullopt, seatedRows);
  row.crankDeg = place.crankDeg;
  return row;
}

std::vector<LoadRow> LoadSeries(const ExactKinematics& model, const LoadParameters& parameters,
                                const std::vector<double>& crankAngles, SeatedRows seatedRows) {
  std::vector<LoadRow> rows;
  for (const LoadRowPlace& place : LoadRowPlaces(model, crankAngles)) {
    rows.push_back(LoadsAt(model, parameters, place, seatedRows));
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
    if (!row.seated) {
      if (row.pressureAngleDeg) KeepLarger(summary.largestPressureAngleDeg, *row.pressureAngleDeg, c);
      if (row.camRadiusMm && *row.camRadiusMm > 0) KeepLarger(summary.smallestCamRadiusMm, -*row.camRadiusMm, c);
      summary.undercut = summary.undercut || row.undercut;
    }
    if (row.separationRpm) {
      if (!summary.separationRpm || *row.separationRpm < summary.separationRpm->value) {
        summary.separationRpm = AtCrank{*row.separationRpm, c};
      }
    }
    if (row.contactLossRpm && row.liftMm >= kCarriedLiftMm &&
        (!summary.firstContactLossRpm || *row.contactLossRpm < summary.firstContactLossRpm->value)) {
      summary.firstContactLossRpm = AtCrank{*row.contactLossRpm, c};
      summary.firstContactLost = row.contactLossWhich;
    }
    if (row.returnSpringNeededN) KeepLarger(summary.returnSpringN, *row.returnSpringNeededN, c);
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
  add(kValveContactLost, "valve");
  return names;
}
