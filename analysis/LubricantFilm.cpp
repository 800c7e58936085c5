#include "analysis/LubricantFilm.h"

#include <cmath>

namespace {
constexpr double kPaPerGPa = 1e9;
constexpr double kMPerMm = 1e-3;
constexpr double kUmPerM = 1e6;
}  // namespace

std::optional<FilmThickness> LineContactFilm(double forceN, double widthMm, double curvature1,
                                             double curvature2, double entrainmentMPerS,
                                             double youngsModulusGPa, double poisson,
                                             const OilParameters& oil) {
  const double relativeCurvature = curvature1 + curvature2;  // 1 / mm
  if (!(forceN > 0) || !(relativeCurvature > 0) || !(widthMm > 0)) return std::nullopt;
  const double radiusM = kMPerMm / relativeCurvature;
  const double reducedModulusPa = youngsModulusGPa * kPaPerGPa / (1 - poisson * poisson);
  const double loadPerLengthNPerM = forceN / (widthMm * kMPerMm);
  const double speed = oil.viscosityPaS * std::abs(entrainmentMPerS) / (reducedModulusPa * radiusM);
  const double material = oil.pressureViscosityPerGPa / kPaPerGPa * reducedModulusPa;
  const double load = loadPerLengthNPerM / (reducedModulusPa * radiusM);

  FilmThickness film;
  film.minimumUm =
      2.65 * std::pow(speed, 0.70) * std::pow(material, 0.54) * std::pow(load, -0.13) * radiusM * kUmPerM;
  film.centralUm =
      3.06 * std::pow(speed, 0.69) * std::pow(material, 0.56) * std::pow(load, -0.10) * radiusM * kUmPerM;
  film.filmRatio = oil.compositeRoughnessUm > 0 ? film.minimumUm / oil.compositeRoughnessUm : 0;
  if (!std::isfinite(film.minimumUm) || !std::isfinite(film.centralUm) || !std::isfinite(film.filmRatio)) {
    return std::nullopt;
  }
  return film;
}
