#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QChart;

// A heat map of one quantity over the modes: the green shaft's (lever) bar value across,
// the orange shaft's (eccentric) bar value up, one coloured cell per mode and a colour
// bar with round ticks beside it. The cells are one embedded picture, so that even the
// full grid gives a small SVG. The grid need not be even: each cell reaches halfway to
// its neighbours.
struct ShaftCell {
  double lever = 0;      // VScroll1 value
  double eccentric = 0;  // VScroll2 value
  std::optional<double> value;  // none: grey, and named in the legend
};

struct ShaftHeatMap {
  QString headline;
  QString settings;     // what it was computed with, in smaller type
  QString valueTitle;   // the colour bar's title, with the unit
  QString missingName;  // the legend's name for cells without a value
  std::vector<ShaftCell> cells;
  // Lines where the value crosses the colour bar's inner ticks (every other one where
  // they are many), each labelled with its value where it is long enough to carry it.
  bool isoLines = false;
};

// The chart, ready for SaveChart. Its axes are chart->axes(Qt::Horizontal) and
// chart->axes(Qt::Vertical), for lines drawn over the cells.
std::unique_ptr<QChart> ShaftHeatMapChart(const ShaftHeatMap& map);
