#include "SvajTable.h"

#include <algorithm>
#include <cmath>

#include "CsvCells.h"

namespace {
// Crank angles closer than this are one row: a frame angle and a step angle that
// differ only by rounding.
constexpr double kSameAngleDeg = 1e-9;
}  // namespace

std::vector<SvajRow> SvajRows(const ExactKinematics& model, double stepDeg,
                              const DemonstrationRevolution& window) {
  std::vector<double> angles = CrankAngles(stepDeg);
  for (const DemonstrationFrame& frame : window.frames) angles.push_back(2 * frame.camAngle);
  std::sort(angles.begin(), angles.end());
  angles.erase(std::unique(angles.begin(), angles.end(),
                           [](double a, double b) { return b - a < kSameAngleDeg; }),
               angles.end());

  const std::vector<SvajSample> samples = SvajSeries(model, angles);
  std::vector<SvajRow> rows(samples.size());
  for (std::size_t i = 0; i < samples.size(); ++i) rows[i].exact = samples[i];
  for (const DemonstrationFrame& frame : window.frames) {
    if (!frame.solved) continue;
    const double crank = 2 * frame.camAngle;
    const auto at = std::lower_bound(rows.begin(), rows.end(), crank - kSameAngleDeg,
                                     [](const SvajRow& row, double angle) { return row.exact.crankDeg < angle; });
    if (at != rows.end() && std::abs(at->exact.crankDeg - crank) < kSameAngleDeg) at->windowLiftMm = -frame.valveY;
  }
  return rows;
}

const char* OutcomeText(ExactOutcome outcome) {
  switch (outcome) {
    case ExactOutcome::Placed:
      return "placed";
    case ExactOutcome::NoCrossing:
      return "no crossing";
    case ExactOutcome::OutsideSector:
      return "crossing outside the sector";
    case ExactOutcome::NoLinkage:
      return "no linkage";
  }
  return "";
}

std::string SvajHeader(std::optional<double> rpm) {
  std::string header = "crank_deg,lift_mm,";
  header += rpm ? "velocity_mmPerS,acceleration_mPerS2,jerk_mPerS3"
                : "velocity_mmPerCrankDeg,acceleration_mmPerCrankDeg2,jerk_mmPerCrankDeg3";
  header += ",windowLift_mm,exactStatus\n";
  return header;
}

std::string SvajCsvRow(const SvajRow& row, std::optional<double> rpm) {
  const ExactSvaj& svaj = row.exact.svaj;
  const bool placed = svaj.outcome == ExactOutcome::Placed;
  std::string text;
  AppendNumber(text, row.exact.crankDeg);
  if (placed) {
    double velocity = svaj.velocity;
    double acceleration = svaj.acceleration;
    double jerk = svaj.jerk;
    if (rpm) {
      const SvajByTime byTime = ToTimeUnits(svaj, *rpm);
      velocity = byTime.velocity;
      acceleration = byTime.acceleration;
      jerk = byTime.jerk;
    }
    for (double value : {svaj.lift, velocity, acceleration, jerk}) {
      text += ',';
      AppendNumber(text, value);
    }
  } else {
    text += ",,,,";  // no position, so no numbers
  }
  text += ',';
  AppendNumber(text, row.windowLiftMm);
  text += ',';
  text += OutcomeText(svaj.outcome);
  text += '\n';
  return text;
}
