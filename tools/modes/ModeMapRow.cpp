#include "ModeMapRow.h"

#include "CsvCells.h"

ModeResult MapResultOf(DemonstrationModel& model, ModeSetting mode, int speed, DemonstrationRevolution& revolution) {
  model.Run(mode, speed, revolution);
  return ModeResult{mode, revolution.leverAngleRad, revolution.eccentricDeg, SummariseLift(revolution.LiftCurve()),
                    revolution.unsolvedFrames};
}

std::string ModeMapHeader() {
  return "lever,eccentric,leverAngle_rad,eccentricAngle_deg," + SummaryColumns() + ",unsolvedFrames\n";
}

std::string ModeMapRow(const ModeResult& result) {
  std::string row;
  AppendNumber(row, long{result.mode.lever});
  row += ',';
  AppendNumber(row, long{result.mode.eccentric});
  row += ',';
  AppendNumber(row, result.leverAngleRad);
  row += ',';
  AppendNumber(row, result.eccentricDeg);
  AppendSummaryCells(row, result.summary);
  row += ',';
  AppendNumber(row, long{result.unsolvedFrames});
  row += '\n';
  return row;
}
