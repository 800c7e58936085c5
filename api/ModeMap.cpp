#include "api/ModeMap.h"

#include "api/SummaryColumns.h"

std::vector<ModeSetting> GridModes(const std::vector<int>& levers, const std::vector<int>& eccentrics) {
  std::vector<ModeSetting> modes;
  modes.reserve(levers.size() * eccentrics.size());
  for (int lever : levers) {
    for (int eccentric : eccentrics) modes.push_back({lever, eccentric});
  }
  return modes;
}

ModeResult DemonstrationMapJob::operator()(std::size_t index) {
  const ModeSetting mode = (*modes_)[index];
  model_->Run(mode, speed_, revolution_);
  return ModeResult{mode, revolution_.leverAngleRad, revolution_.eccentricDeg, SummariseLift(revolution_.LiftCurve()),
                    revolution_.unsolvedFrames};
}

CsvColumns<ModeResult> ModeMapColumns(const CrankOrigin& origin) {
  using R = const ModeResult&;
  CsvColumns<ModeResult> columns = {
      NumberColumn<ModeResult>("lever", [](R r) { return r.mode.lever; }),
      NumberColumn<ModeResult>("eccentric", [](R r) { return r.mode.eccentric; }),
      NumberColumn<ModeResult>("leverAngle_rad", [](R r) { return r.leverAngleRad; }),
      NumberColumn<ModeResult>("eccentricAngle_deg", [](R r) { return r.eccentricDeg; }),
  };
  AppendColumns(columns, SummaryColumns(origin), [](R r) -> const ModeSummary& { return r.summary; });
  columns.push_back(NumberColumn<ModeResult>("unsolvedFrames", [](R r) { return r.unsolvedFrames; }));
  return columns;
}

