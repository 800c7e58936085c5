#pragma once

// Where the two control-shaft bars stand when the window opens: also the mode the tools
// and the Explorer take when none is asked for.
inline constexpr int kLeverBarStart = 60;       // VScroll1: the lever (green shaft)
inline constexpr int kEccentricBarStart = 200;  // VScroll2: the eccentric (orange shaft)
inline constexpr int kSpeedBarStart = 400;      // HScroll1: cam degrees per frame times 100
