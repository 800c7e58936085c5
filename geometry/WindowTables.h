#pragma once

#include "geometry/ProfileTables.h"

// The window's sampled form of a mechanism: the three start tables, and the rest
// positions that make a frame's turning cheap (they hold the same numbers the plain
// formulas give). Built once per mechanism, on first use, and never changed: every
// state that runs the mechanism (the window, each map thread, each Explorer worker)
// reads the same copy.
struct WindowTables {
  ProfileTables profile;
  PitchTable pitchRestX{};  // pitch curve relative to the cam axis, cam at rest
  PitchTable pitchRestY{};
  LeverTable leverRestX{};  // lever curve relative to the pivot, as radius and
  LeverTable leverRestY{};  // unquadranted direction give it, lever at rest
};

// Entry j of the pitch rest positions stands for the direction pi * j / 3600 (from +y
// towards +x) at the distance camPitchRadius[j mod 7200]; entries 0..7200.
// The lever's rest offsets from the pivot, entries kLeverTurnedFirst..3600: each
// point's radius r and unquadranted direction u = atan(dy / dx) as (r cos u, r sin u),
// which a turn by the lever angle then needs only that angle's cosine and sine for.
void BuildWindowTables(const Mechanism& mechanism, WindowTables& tables);

inline constexpr int kLeverTurnedFirst = 750;  // entries below are never turned
