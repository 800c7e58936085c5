#pragma once

#include <QString>
#include <vector>

#include "ModesOptions.h"
#include "analysis/ElasticCycle.h"

// torlin-modes --loads --dynamics --plot-dir: dynamics.png/.svg, the valve's lift rigid
// and elastic over the cycle with its seat impacts, the chain's and the seat's forces,
// and the landing magnified. The rows must be the cycle's rows at the crank places.
// An empty string, or the one line that says what failed.
QString WriteDynamicsPicture(const ModesOptions& options, const ElasticCycle& cycle);
