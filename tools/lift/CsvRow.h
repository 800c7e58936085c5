#pragma once

#include <string>

#include "animation/Host.h"

// One frame as a CSV line (with its newline), in the order of LiftHost::Header().
// Numbers have a decimal point whatever the C locale says, in the shortest form
// that reads back to the same double.
std::string CsvRow(const FrameReport& report);
