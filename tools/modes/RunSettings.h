#pragma once

#include <string>

#include "ModesOptions.h"
#include "api/CsvWriter.h"

// What a table's numbers depend on beyond its own rows: the program, the design, the
// window's speed for its frames, the step, the engine speed and the load model's
// parameters, where the run uses them, and the crank origin. A CSV ends with them as
// "# name,value" lines, so that a file read later still says how it was made.
CsvColumns<ModesOptions> RunSettingsColumns(const ModesOptions& options);
std::string RunSettingsBlock(const ModesOptions& options);
