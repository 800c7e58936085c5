#include "api/SvajTable.h"

#include <algorithm>
#include <cmath>

#include "analysis/SvajPeaks.h"

namespace {

// Crank angles closer than this are one row: a frame angle and a step angle that
// differ only by rounding.
constexpr double kSameAngleDeg = 1e-9;

double FrameCrankDeg(const DemonstrationFrame& frame) { return 2 * frame.camAngle; }

// The derivatives a row shows: by crank angle, or by time at rpm.
SvajByTime Derivatives(const ExactSvaj& svaj, std::optional<double> rpm) {
  if (rpm) return ToTimeUnits(svaj, *rpm);
  return {svaj.velocity, svaj.acceleration, svaj.jerk};
}

}  // namespace

std::vector<double> SvajAngles(double stepDeg, const DemonstrationRevolution& window) {
  std::vector<double> angles = CrankAngles(stepDeg);
  for (const DemonstrationFrame& frame : window.frames) angles.push_back(FrameCrankDeg(frame));
  std::sort(angles.begin(), angles.end());
  angles.erase(std::unique(angles.begin(), angles.end(), [](double a, double b) { return b - a < kSameAngleDeg; }),
               angles.end());
  return angles;
}

std::vector<SvajRow> SvajRowsAt(const ExactKinematics& model, std::span<const CrankPlace> places,
                                const DemonstrationRevolution& window) {
  std::vector<SvajRow> rows(places.size());
  for (std::size_t i = 0; i < places.size(); ++i) rows[i].exact = {places[i].crankDeg, SvajAt(model, places[i]), places[i].side};
  for (const DemonstrationFrame& frame : window.frames) {
    if (!frame.solved) continue;
    const double crank = FrameCrankDeg(frame);
    auto at = std::lower_bound(rows.begin(), rows.end(), crank - kSameAngleDeg,
                               [](const SvajRow& row, double angle) { return row.exact.crankDeg < angle; });
    // A frame at a jump belongs to neither side's row.
    while (at != rows.end() && at->exact.side != 0 && at->exact.crankDeg < crank + kSameAngleDeg) ++at;
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

CsvColumns<SvajRow> SvajColumns(std::optional<double> rpm, const CrankOrigin& origin) {
  using R = const SvajRow&;
  // No position, no numbers: the cells of a row the exact model could not place stay empty.
  const auto placed = [](R r, double value) {
    return r.exact.svaj.outcome == ExactOutcome::Placed ? std::optional<double>(value) : std::nullopt;
  };
  return {
      RoundedColumn<SvajRow>(origin.Column("crank_deg"), kAngleDecimals,
                             [origin](R r) { return origin.Shown(r.exact.crankDeg); }),
      NumberColumn<SvajRow>("jumpSide", [](R r) { return long{r.exact.side}; }),
      NumberColumn<SvajRow>("lift_mm", [placed](R r) { return placed(r, r.exact.svaj.lift); }),
      NumberColumn<SvajRow>(rpm ? "velocity_mmPerS" : "velocity_mmPerCrankDeg",
                            [=](R r) { return placed(r, Derivatives(r.exact.svaj, rpm).velocity); }),
      NumberColumn<SvajRow>(rpm ? "acceleration_mPerS2" : "acceleration_mmPerCrankDeg2",
                            [=](R r) { return placed(r, Derivatives(r.exact.svaj, rpm).acceleration); }),
      NumberColumn<SvajRow>(rpm ? "jerk_mPerS3" : "jerk_mmPerCrankDeg3",
                            [=](R r) { return placed(r, Derivatives(r.exact.svaj, rpm).jerk); }),
      NumberColumn<SvajRow>("windowLift_mm", [](R r) { return r.windowLiftMm; }),
      WordsColumn<SvajRow>("exactStatus", [](R r) { return OutcomeText(r.exact.svaj.outcome); }),
  };
}
