#include "CsvCells.h"

std::string SummaryColumns(std::string_view prefix) {
  std::string columns;
  for (std::string_view name : {"maxLift_mm", "maxLiftAt_crankDeg", "opens", "opening0.1mm_crankDeg",
                                "closing0.1mm_crankDeg", "duration0.1mm_crankDeg", "opening1mm_crankDeg",
                                "closing1mm_crankDeg", "duration1mm_crankDeg"}) {
    if (!columns.empty()) columns += ',';
    columns += prefix;
    columns += name;
  }
  return columns;
}

void AppendSummaryCells(std::string& row, const ModeSummary& summary) {
  row += ',';
  AppendNumber(row, summary.maxLiftMm);
  row += ',';
  AppendNumber(row, summary.maxLiftCrankDeg);
  row += summary.opens ? ",1" : ",0";
  for (const ThresholdTiming* timing : {&summary.atOpeningLift, &summary.atFullLift}) {
    for (const std::optional<double>& angle :
         {timing->openingCrankDeg, timing->closingCrankDeg, timing->durationCrankDeg}) {
      row += ',';
      AppendNumber(row, angle);
    }
  }
}
