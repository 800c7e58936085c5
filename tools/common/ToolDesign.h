#pragma once

#include <string>

#include "geometry/Mechanism.h"

// The mechanism a tool's run works on: the window's, or the one --design names. Chosen
// once, while the options are read and before any work starts; read by every thread.
const MechanismPtr& ToolMechanism();

// Reads, checks and builds the design of a file for the rest of the run; the lines
// that say what is wrong with it (each already naming the file) if it cannot be used.
std::vector<std::string> UseDesignFile(const std::string& path);

// The design's name, for the notes after a table and for pictures' titles.
std::string ToolDesignName();
