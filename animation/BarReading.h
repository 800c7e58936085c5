#pragma once

#include <string>

#include "animation/FrontEnd.h"

// What a scroll bar's value means, in words and numbers, for its tooltip: its design's
// tip, then the value and what it sets (a shaft's angle, the cam's turn per frame).
// Numbers are written locale-independently.
std::string BarReading(ScrollBar bar, int value);
