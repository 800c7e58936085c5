#pragma once

#include <string>
#include <vector>

#include "analysis/LoadSeries.h"
#include "api/ModeMap.h"
#include "api/TableColumns.h"

// What a map hands a page per mode, as columns of the map's CSV: the bar values and
// the lift summary, and, once asked for at an engine speed, some of the load summary.

// A load figure of the map: its CSV column, a name for people and its unit, and how a
// heat map colours it (a torque by its size, the separation speed up to a top).
struct MapLoadFigure {
  const char* column;
  const char* label;
  const char* unit;
  bool atEngineSpeed = true;  // false: the same at every engine speed
  bool colourBySize = false;
  double colourTop = 0;  // none if 0
};
const std::vector<MapLoadFigure>& MapLoadFigures();

// The columns of the mode rows: lever, eccentric, then the summary's as the CSV has them.
TableColumns<ModeResult> MapModeColumns();
// The columns of the load figures, in MapLoadFigures' order, from the loads table's.
TableColumns<LoadSummary> MapLoadFigureColumns();
