#include "api/MapFigures.h"

#include <algorithm>
#include <stdexcept>

#include "api/LoadsTable.h"
#include "api/SummaryColumns.h"

const std::vector<MapLoadFigure>& MapLoadFigures() {
  static const std::vector<MapLoadFigure> figures = {
      {"peakGreenShaftTorque_Nm", "peak green control shaft torque", "N m", true, true},
      {"peakOrangeShaftTorque_Nm", "peak orange control shaft torque", "N m", true, true},
      {"separation_rpm", "separation speed (lowest)", "rpm", false, false, kSeparationScaleTopRpm},
      {"peakCamHertz_MPa", "peak Hertz pressure, cam and roller", "MPa"},
      {"peakLeverHertz_MPa", "peak Hertz pressure, lever and roller", "MPa"},
      {"peakRollerHertz_MPa", "peak Hertz pressure, two rollers", "MPa"},
      {"maxPressureAngle_deg", "largest pressure angle, cam and roller", "deg", false},
  };
  return figures;
}

TableColumns<ModeResult> MapModeColumns() {
  using R = const ModeResult&;
  TableColumns<ModeResult> columns = {
      NumberColumn<ModeResult>("lever", [](R r) { return r.mode.lever; }),
      NumberColumn<ModeResult>("eccentric", [](R r) { return r.mode.eccentric; }),
  };
  AppendColumns(columns, SummaryColumns(), [](R r) -> const ModeSummary& { return r.summary; });
  return columns;
}

TableColumns<LoadSummary> MapLoadFigureColumns() {
  const TableColumns<LoadSummary> all = LoadSummaryColumns(CrankOrigin{});
  TableColumns<LoadSummary> columns;
  for (const MapLoadFigure& figure : MapLoadFigures()) {
    const auto found = std::find_if(all.begin(), all.end(), [&](const auto& c) { return c.name == figure.column; });
    if (found == all.end()) throw std::logic_error(std::string("no load summary column ") + figure.column);
    columns.push_back(*found);
  }
  return columns;
}
