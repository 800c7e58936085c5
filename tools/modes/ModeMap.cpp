#include "ModeMap.h"

#include "CsvCells.h"

std::vector<ModeSetting> GridModes(const ModesOptions& options) {
  std::vector<ModeSetting> modes;
  modes.reserve(options.lever.values.size() * options.eccentric.values.size());
  for (int lever : options.lever.values) {
    for (int eccentric : options.eccentric.values) modes.push_back({lever, eccentric});
  }
  return modes;
}

ModeResult DemonstrationMapJob::operator()(std::size_t index) {
  const ModeSetting mode = (*modes_)[index];
  model_->Run(mode, speed_, revolution_);
  return ModeResult{mode, revolution_.leverAngleRad, revolution_.eccentricDeg, SummariseLift(revolution_.LiftCurve()),
                    revolution_.unsolvedFrames};
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
