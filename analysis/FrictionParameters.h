#pragma once

#include "analysis/LubricantFilm.h"

// Coulomb friction at the free roller's three contacts (cam, lever, second roller),
// regularised at small slip as multibody codes do: the coefficient at slip speed s is
// mu tanh(s / v0), so that friction changes sign smoothly where a roller rolls. The
// default mu = 0.05 is lubricated hardened steel on steel in the mixed and
// elastohydrodynamic regimes of a roller follower (boundary friction of oiled steel is
// 0.1 and more, a full film's traction a few hundredths); v0 = 0.01 m/s lies far
// below the slip speeds of a sliding roller (metres per second) and well below its
// entrainment speeds.
struct FrictionParameters {
  double coefficient = 0.05;
  double regularisationMPerS = 0.01;
  OilParameters oil{};
};

inline constexpr double kMaxFrictionCoefficient = 1;
inline constexpr double kMaxOilViscosityPaS = 10;
inline constexpr double kMaxPressureViscosityPerGPa = 100;
inline constexpr double kMaxRoughnessUm = 100;
