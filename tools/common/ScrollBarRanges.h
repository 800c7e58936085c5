#pragma once

// The ranges of the window's three scroll bars, which the tools take as options of
// the same names.
struct OptionRange {
  const char* name;  // the option that sets this bar
  int min;
  int max;
};
inline constexpr OptionRange kLeverRange{"lever", 0, 115};          // VScroll1
inline constexpr OptionRange kEccentricRange{"eccentric", -95, 700};  // VScroll2
inline constexpr OptionRange kSpeedRange{"speed", 25, 1000};        // HScroll1
