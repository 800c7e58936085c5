#pragma once

#include <optional>
#include <string>

#include "api/ShaftPositions.h"

// LEVER,ECCENTRIC as decimal numbers within the two bars; none if the text is not one.
std::optional<ShaftPositions> ShaftPositionsOf(const std::string& text);

// "LEVER from 0 to 115 and ECCENTRIC from -95 to 700", for the help and error lines.
std::string ShaftPositionsRange();
