#include "ExactMap.h"

#include "CsvCells.h"
#include "analysis/ExactAtFrames.h"

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
  const ExactAtFrames exact = ExactLiftAtFrames(ExactKinematics(mode.lever, mode.eccentric),
                                                demonstration_.LastRevolution());
  result.exact = SummariseLift(exact.curve);
  result.exactMissingFrames = exact.missingFrames;
  result.maxDifferenceMm = exact.maxDifferenceMm;
  result.maxDifferenceAtCrankDeg = exact.maxDifferenceAtCrankDeg;
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
