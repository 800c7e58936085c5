#pragma once

#include <array>

#include "geometry/MechanismConstants.h"

// Table sizes: inclusive upper bounds of the index.
inline constexpr int kPitchLast = 7240;    // 7200 steps per cam turn, plus a wrap margin
inline constexpr int kOutlineLast = 720;   // about 0.5 degree per entry
inline constexpr int kLeverLast = 3600;    // 1/30 degree per entry

using PitchTable = std::array<double, kPitchLast + 1>;
using OutlineTable = std::array<double, kOutlineLast + 1>;
using LeverTable = std::array<double, kLeverLast + 1>;

// The three tables computed once at start-up and never changed afterwards.
// Entries that are never written stay 0.
struct ProfileTables {
  PitchTable camPitchRadius{};
  OutlineTable camOutlineX{};
  OutlineTable camOutlineY{};
  LeverTable leverCurveX{};
  LeverTable leverCurveY{};
};
