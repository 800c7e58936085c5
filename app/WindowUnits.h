#pragma once

// The window's one mapping between window units and pixels lives with the raster.
#include "raster/WindowUnits.h"
