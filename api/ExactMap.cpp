#include "api/ExactMap.h"

#include "api/SummaryColumns.h"
#include "analysis/ExactAtFrames.h"

ExactModeResult ExactMapJob::operator()(std::size_t index) {
  ExactModeResult result;
  result.demonstration = demonstration_(index);
  const ModeSetting mode = (*modes_)[index];
  const ExactAtFrames exact = ExactLiftAtFrames(ExactKinematics(Mechanism(), mode.lever, mode.eccentric),
                                                demonstration_.LastRevolution());
  result.exact = SummariseLift(exact.curve);
  result.exactMissingFrames = exact.missingFrames;
  result.maxDifferenceMm = exact.maxDifferenceMm;
  result.maxDifferenceAtCrankDeg = exact.maxDifferenceAtCrankDeg;
  return result;
}

CsvColumns<ExactModeResult> ExactMapColumns(const CrankOrigin& origin) {
  using R = const ExactModeResult&;
  CsvColumns<ExactModeResult> columns;
  AppendColumns(columns, ModeMapColumns(origin), [](R r) -> const ModeResult& { return r.demonstration; });
  AppendColumns(columns, SummaryColumns(origin), [](R r) -> const ModeSummary& { return r.exact; }, "exact_");
  columns.push_back(NumberColumn<ExactModeResult>("exact_missingFrames", [](R r) { return r.exactMissingFrames; }));
  columns.push_back(NumberColumn<ExactModeResult>("maxDifference_mm", [](R r) { return r.maxDifferenceMm; }));
  columns.push_back(RoundedColumn<ExactModeResult>(origin.Column("maxDifferenceAt_crankDeg"), kAngleDecimals,
                                                   [origin](R r) { return origin.Shown(r.maxDifferenceAtCrankDeg); }));
  return columns;
}

