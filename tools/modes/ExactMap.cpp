#include "ExactMap.h"

#include <cmath>

#include "CsvCells.h"
#include "analysis/ExactKinematics.h"

namespace {

// A row without its line end, to append more cells.
std::string WithoutLineEnd(std::string row) {
  if (!row.empty() && row.back() == '\n') row.pop_back();
  return row;
}

}  // namespace

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

std::string ExactMapHeader() {
  return WithoutLineEnd(ModeMapHeader()) + ',' + SummaryColumns("exact_") +
         ",exact_missingFrames,maxDifference_mm,maxDifferenceAt_crankDeg\n";
}

std::string ExactMapRow(const ExactModeResult& result) {
  std::string row = WithoutLineEnd(ModeMapRow(result.demonstration));
  AppendSummaryCells(row, result.exact);
  row += ',';
  AppendNumber(row, long{result.exactMissingFrames});
  row += ',';
  AppendNumber(row, result.maxDifferenceMm);
  row += ',';
  AppendNumber(row, result.maxDifferenceAtCrankDeg);
  row += '\n';
  return row;
}
