#pragma once

#include <string>
#include <vector>

#include "api/DesignCache.h"

// The exact curves of the given modes with the window's lift beside them where the
// mode's bar values are whole, one block of rows per mode, as torlin-modes --svaj
// writes them with the mode in front, then what they were computed with.
std::string ModeCurvesCsv(CachedDesign& design, const std::vector<double>& levers, const std::vector<double>& eccentrics,
                          int speed, double rpm, double stepDeg);
