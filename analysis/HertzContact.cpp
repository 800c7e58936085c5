#include "analysis/HertzContact.h"

#include <cmath>
#include <numbers>

double HertzLinePressureMPa(double forceN, double widthMm, double curvature1, double curvature2,
                            double youngsModulusGPa, double poisson) {
  const double relativeCurvature = curvature1 + curvature2;  // 1 / mm
  if (!(forceN > 0) || !(relativeCurvature > 0) || !(widthMm > 0)) return 0;
  // Contact modulus of two bodies of one material: 1/E* = 2 (1 - nu^2) / E.
  const double contactModulusMPa = youngsModulusGPa * 1000 / (2 * (1 - poisson * poisson));
  const double loadPerLength = forceN / widthMm;  // N/mm
  return std::sqrt(loadPerLength * contactModulusMPa * relativeCurvature / std::numbers::pi);
}
