#include "CsvCells.h"

namespace {

// A timing's three angles; opening and closing are interpolated between frames, so
// they keep every digit.
void AppendTimingColumns(CsvColumns<ModeSummary>& columns, const char* threshold,
                         ThresholdTiming ModeSummary::*timing) {
  using S = const ModeSummary&;
  const std::string at(threshold);
  columns.push_back(NumberColumn<ModeSummary>("opening" + at + "_crankDeg", [timing](S s) { return (s.*timing).openingCrankDeg; }));
  columns.push_back(NumberColumn<ModeSummary>("closing" + at + "_crankDeg", [timing](S s) { return (s.*timing).closingCrankDeg; }));
  columns.push_back(NumberColumn<ModeSummary>("duration" + at + "_crankDeg", [timing](S s) { return (s.*timing).durationCrankDeg; }));
}

CsvColumns<ModeSummary> MakeSummaryColumns() {
  using S = const ModeSummary&;
  CsvColumns<ModeSummary> columns = {
      NumberColumn<ModeSummary>("maxLift_mm", [](S s) { return s.maxLiftMm; }),
      {"maxLiftAt_crankDeg", [](std::string& line, S s) { AppendRounded(line, s.maxLiftCrankDeg, kAngleDecimals); }},
      NumberColumn<ModeSummary>("opens", [](S s) { return s.opens; }),
  };
  AppendTimingColumns(columns, "0.1mm", &ModeSummary::atOpeningLift);
  AppendTimingColumns(columns, "1mm", &ModeSummary::atFullLift);
  return columns;
}

}  // namespace

const CsvColumns<ModeSummary>& SummaryColumns() {
  static const CsvColumns<ModeSummary> columns = MakeSummaryColumns();
  return columns;
}
