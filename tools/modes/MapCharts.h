#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "ModeMap.h"

class QChart;

// The pictures of a mode map, as charts ready for SaveChart.

// What the charts' titles say about the grid.
struct MapDescription {
  QString lever;      // how the lever values were chosen
  QString eccentric;  // how the eccentric values were chosen
  int speed = 400;
};

// One point per mode that reaches 1 mm: duration above 1 mm against maximum lift,
// coloured by the lever bar, with the colour scale beside the plot.
std::unique_ptr<QChart> LiftDurationChart(const std::vector<ModeResult>& results, const MapDescription& map);

// A heat map of one value per mode over the (lever, eccentric) grid, one coloured cell
// per mode (valueOf takes the index into results); modes without a value are grey,
// under missingName in the legend.
std::unique_ptr<QChart> GridChart(const std::vector<ModeResult>& results, const QString& headline,
                                  const QString& settings, const QString& valueTitle, const QString& missingName,
                                  const std::function<std::optional<double>(std::size_t)>& valueOf);

// Maximum lift and duration above 1 mm over the (lever, eccentric) grid, one
// coloured cell per mode; modes that never reach 1 mm are grey in the duration map.
std::unique_ptr<QChart> MaxLiftMapChart(const std::vector<ModeResult>& results, const MapDescription& map);
std::unique_ptr<QChart> DurationMapChart(const std::vector<ModeResult>& results, const MapDescription& map);

// The lift curves of a few modes against crank angle, one colour each.
struct LiftCurve {
  ModeSetting mode;
  std::vector<LiftSample> samples;
};
std::unique_ptr<QChart> LiftCurvesChart(const std::vector<LiftCurve>& curves, int speed);
