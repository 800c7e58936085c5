#pragma once

#include <optional>
#include <string>
#include <vector>

#include "geometry/Mechanism.h"

// The mechanism a tool's run works on: the window's, or the one --design names. Chosen
// once, while the options are read and before any work starts; read by every thread.
const MechanismPtr& ToolMechanism();

// Reads, checks and builds the design of a file for the rest of the run; the lines
// that say what is wrong with it (each already naming the file) if it cannot be used.
std::vector<std::string> UseDesignFile(const std::string& path);

// The value of the last --design FILE (or --design=FILE) before any "--", read ahead
// of the other options: the design decides the ranges they are checked against. A
// malformed option is left to the full parse to report.
std::optional<std::string> DesignFileArgument(int argc, const char* const argv[]);

// Uses the design that the arguments name, if any: the exit status for bad options,
// after one line per problem as program's errors, if it cannot be used.
std::optional<int> UseDesignOfArguments(const char* program, int argc, const char* const argv[]);

// The design's name, for the notes after a table and for pictures' titles.
std::string ToolDesignName();
