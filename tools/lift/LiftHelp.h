#pragma once

#include <string>

// The text of --help: usage, options with their ranges and defaults, the CSV
// columns with their units, one example and the notes. Lines fit 80 columns.
std::string LiftHelpText();
