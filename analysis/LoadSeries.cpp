#include "analysis/LoadSeries.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "analysis/CycleExtreme.h"

namespace {

void KeepLarger(std::optional<AtCrank>& best, double value, double crank, bool bySize = false) {
  const double size = bySize ? std::abs(value) : value;
  if (!best || size > (bySize ? std::abs(best->value) : best->value)) best = AtCrank{value, crank};
}

}  // namespace

LoadRow LoadsAt(const ExactKinematics& model, const LoadParameters& parameters, const CrankPlace& place,
                SeatedRows seatedRows) {
  const std::optional<int> arc = place.arc >= 0 ? std::optional<int>(place.arc) : std::nullopt;
  LoadRow row = LoadsAt(model, parameters, EvaluatedCrankDeg(place), place.side, arc, seatedRows);
  row.crankDeg = place.crankDeg;
  return row;
}

std::vector<LoadRow> LoadSeries(const ExactKinematics& model, const LoadParameters& parameters,
                                const std::vector<double>& crankAngles, SeatedRows seatedRows) {
  std::vector<LoadRow> rows;
  for (const CrankPlace& place : CrankPlaces(model, crankAngles)) {
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

LoadSummary SummariseLoads(const ExactKinematics& model, const LoadParameters& parameters,
                           std::span<const LoadRow> rows) {
  LoadSummary summary = SummariseLoads(rows);
  std::vector<CycleValue> speeds(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) speeds[i] = {rows[i].crankDeg, rows[i].separationRpm};
  summary.separationRpm = CycleMinimum(speeds, [&](double crank) {
    return LoadsAt(model, parameters, crank, 0, std::nullopt, SeatedRows::Brief).separationRpm;
  });
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
