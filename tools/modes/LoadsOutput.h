#pragma once

#include <QString>
#include <vector>

#include "api/DynamicsMap.h"
#include "api/ModeMap.h"
#include "ModesOptions.h"
#include "analysis/FrictionCycle.h"
#include "analysis/LoadSeries.h"

// The pictures of torlin-modes --loads (PNG and SVG in --plot-dir): one mode's forces,
// torques, Hertz pressures and pressure angle stacked on one crank axis; and, on the
// map, heat maps of peak green- and orange-shaft torque, separation speed and peak cam
// Hertz pressure; with the bodies' masses the return spring; under --friction (friction
// not empty) mean friction power and the smallest film ratio; under --dynamics (dynamics
// not empty) seating velocity and loft speed. An empty string, or the one line that
// says what failed.
QString WriteLoadsPictures(const ModesOptions& options, const std::vector<LoadRow>& rows);
QString WriteLoadsMapPictures(const ModesOptions& options, const std::vector<ModeResult>& modes,
                              const std::vector<LoadSummary>& loads, const std::vector<FrictionSummary>& friction,
                              const std::vector<MapDynamics>& dynamics);
