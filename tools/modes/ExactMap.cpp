#include "ExactMap.h"

#include "CsvCells.h"
#include "analysis/ExactAtFrames.h"

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
