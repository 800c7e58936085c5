#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "api/CrankOrigin.h"
#include "api/ModeMap.h"
#include "ShaftPositionText.h"
#include "animation/BarStarts.h"

class QChart;

// The pictures of a mode map, as charts ready for SaveChart.

// What the charts' titles say about the grid.
struct MapDescription {
  QString lever;      // how the lever values were chosen
  QString eccentric;  // how the eccentric values were chosen
  int speed = kSpeedBarStart;
};

// One point per mode that reaches 1 mm: duration above 1 mm against maximum lift,
// coloured by the green shaft's bar value, with the colour scale beside the plot.
std::unique_ptr<QChart> LiftDurationChart(const std::vector<ModeResult>& results, const MapDescription& map);

// Maximum lift and duration above 1 mm over the (lever, eccentric) grid, one
// coloured cell per mode; modes that never reach 1 mm are grey in the duration map.
std::unique_ptr<QChart> MaxLiftMapChart(const std::vector<ModeResult>& results, const MapDescription& map);
std::unique_ptr<QChart> DurationMapChart(const std::vector<ModeResult>& results, const MapDescription& map);

// The lift curves of a few modes against crank angle, one colour each, over the part
// of the cycle where any of them opens the valve, crank angles measured from origin.
struct LiftCurve {
  ShaftPositions mode;
  std::vector<LiftSample> samples;
  bool exact = false;  // the exact model's lift (a mode the window's bars cannot take)
};
std::unique_ptr<QChart> LiftCurvesChart(const std::vector<LiftCurve>& curves, int speed, const CrankOrigin& origin);

// The modes whose lift curves are drawn when none are chosen: the largest lift, and
// durations from long to short, each opening the valve by 2 mm or more.
inline const std::vector<ShaftPositions> kDefaultCurveModes = {{0, 700}, {0, 300}, {30, 450},
                                                            {60, 700}, {60, 200}, {90, 700}};
