#pragma once

#include <optional>

// The oil between two rolling, sliding steel surfaces. The defaults are those of a warm
// (about 100 degC) multigrade engine oil, an SAE 5W-30: about 10 mPa s at ambient
// pressure and a pressure-viscosity coefficient of 15 per GPa; ground and polished
// cam and rollers of 0.2 um RMS roughness each give a composite roughness of 0.3 um.
struct OilParameters {
  double viscosityPaS = 0.010;
  double pressureViscosityPerGPa = 15;
  double compositeRoughnessUm = 0.3;  // sqrt(Rq1^2 + Rq2^2) of the two surfaces; positive
};

// The elastohydrodynamic film of a line contact.
struct FilmThickness {
  double centralUm = 0;
  double minimumUm = 0;
  double filmRatio = 0;  // lambda = minimum film / composite roughness
};

// Isothermal, fully flooded, Newtonian: Dowson and Higginson's minimum film
// h_min / R = 2.65 U^0.70 G^0.54 W^-0.13 and Dowson and Toyoda's central film
// h_c / R = 3.06 U^0.69 G^0.56 W^-0.10, with U = eta0 u / (E' R), G = alpha E',
// W = w / (E' R); u is the entrainment (mean rolling) speed, w the load per unit
// length, R the reduced radius, E' = E / (1 - nu^2) for two bodies of one material.
// Surfaces given by curvatures (1/mm, positive convex, negative concave), as for
// Hertz's pressure. No value where the contact carries nothing or the surfaces do not
// meet along a line; an entrainment speed of zero gives no film (zero), which is the
// point: squeeze films and asperities carry the load there.
std::optional<FilmThickness> LineContactFilm(double forceN, double widthMm, double curvature1,
                                             double curvature2, double entrainmentMPerS,
                                             double youngsModulusGPa, double poisson,
                                             const OilParameters& oil);
