#include "ExactMap.h"

#include <cmath>

#include "CsvCells.h"
#include "analysis/ExactKinematics.h"

ExactModeResult ExactMapJob::operator()(std::size_t index) {
  ExactModeResult result;
  result.demonstration = demonstration_(index);
  const ModeSetting mode = (*modes_)[index];
  const ExactKinematics model(mode.lever, mode.eccentric);

  std::vector<LiftSample> exactCurve;
  double largest = -1;
  for (const DemonstrationFrame& frame : demonstration_.LastRevolution().frames) {
    const double crank = 2 * frame.camAngle;
    const ExactPose pose = model.PoseAt(crank);
    if (pose.outcome != ExactOutcome::Placed) {
      ++result.exactMissingFrames;
      continue;
    }
    exactCurve.push_back({crank, -pose.valveY});
    if (!frame.solved) continue;
    const double difference = std::abs(frame.valveY - pose.valveY);
    if (difference > largest) {
      largest = difference;
      result.maxDifferenceMm = difference;
      result.maxDifferenceAtCrankDeg = crank;
    }
  }
  result.exact = SummariseLift(exactCurve);
  return result;
}

namespace {

CsvColumns<ExactModeResult> MakeExactMapColumns() {
  using R = const ExactModeResult&;
  CsvColumns<ExactModeResult> columns;
  AppendColumns(columns, ModeMapColumns(), [](R r) -> const ModeResult& { return r.demonstration; });
  AppendColumns(columns, SummaryColumns(), [](R r) -> const ModeSummary& { return r.exact; }, "exact_");
  columns.push_back(NumberColumn<ExactModeResult>("exact_missingFrames", [](R r) { return r.exactMissingFrames; }));
  columns.push_back(NumberColumn<ExactModeResult>("maxDifference_mm", [](R r) { return r.maxDifferenceMm; }));
  columns.push_back({"maxDifferenceAt_crankDeg", [](std::string& line, R r) {
                       AppendRounded(line, r.maxDifferenceAtCrankDeg, kAngleDecimals);
                     }});
  return columns;
}

}  // namespace

const CsvColumns<ExactModeResult>& ExactMapColumns() {
  static const CsvColumns<ExactModeResult> columns = MakeExactMapColumns();
  return columns;
}
