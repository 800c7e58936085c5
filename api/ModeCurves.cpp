#include "api/ModeCurves.h"

#include <cmath>

#include "api/CsvWriter.h"
#include "api/SvajTable.h"

std::string ModeCurvesCsv(CachedDesign& design, const std::vector<double>& levers, const std::vector<double>& eccentrics,
                          int speed, double rpm, double stepDeg) {
  const CsvColumns<SvajRow> columns = SvajColumns(rpm);
  std::string csv = "lever,eccentric," + CsvHeader(columns);
  DemonstrationRevolution revolution;
  for (std::size_t i = 0; i < levers.size() && i < eccentrics.size(); ++i) {
    const ModeSetting window{static_cast<int>(std::lround(levers[i])), static_cast<int>(std::lround(eccentrics[i]))};
    design.model->Run(window, speed, revolution);
    // The window's lift belongs to the mode only where its bar values are whole.
    if (window.lever != levers[i] || window.eccentric != eccentrics[i]) revolution.frames.clear();
    std::string prefix;
    AppendNumber(prefix, levers[i]);
    prefix += ',';
    AppendNumber(prefix, eccentrics[i]);
    prefix += ',';
    const ExactKinematics exact(design.mechanism, levers[i], eccentrics[i]);
    const std::vector<CrankPlace> places = CrankPlaces(exact, SvajAngles(stepDeg, revolution));
    for (const SvajRow& row : SvajRowsAt(exact, places, revolution)) {
      csv += prefix;
      AppendCsvLine(csv, columns, row);
    }
  }
  csv += "# design," + design.Name() + '\n';
  AppendNoteLine(csv, "windowSpeed_camDegPerFrame", speed / 100.0);
  AppendNoteLine(csv, "step_crankDeg", stepDeg);
  AppendNoteLine(csv, "engineSpeed_rpm", rpm);
  return csv;
}
