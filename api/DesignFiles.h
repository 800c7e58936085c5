#pragma once

#include <string>

#include "analysis/DesignCheck.h"

// A design file read, checked and built: its mechanism, or the lines that say what is
// wrong with it (each naming the file), as the tools print them and Python raises them.
CheckedMechanism CheckDesignFile(const std::string& path);
