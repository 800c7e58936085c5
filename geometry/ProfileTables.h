#pragma once

#include <array>

#include "geometry/Mechanism.h"

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

// The builders write only the entries they own and leave the others as they are.
// Points are placed at (centre x + r sin a, centre y + r cos a): angles run from +y
// towards +x.

// Entries 0..7199: the roller centre's distance from the cam axis, cam at rest.
void BuildCamPitchRadius(const Mechanism& mechanism, PitchTable& camPitchRadius);

// Entries 1..720: the cam outline relative to the cam axis, the free roller's radius
// inside the pitch curve. Reads camPitchRadius, so build that first.
void BuildCamOutline(const Mechanism& mechanism, const PitchTable& camPitchRadius,
                     OutlineTable& camOutlineX, OutlineTable& camOutlineY);

// Entries from the curve's start (600 for the window's, at 20 degrees) to 3600: the
// lever curve in window coordinates, lever at rest.
void BuildLeverCurve(const Mechanism& mechanism, LeverTable& leverCurveX, LeverTable& leverCurveY);

// All three, in that order.
void BuildProfileTables(const Mechanism& mechanism, ProfileTables& tables);
