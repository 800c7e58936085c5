#include "analysis/BodyMasses.h"

#include <numbers>

namespace {
constexpr double kSteelGPerMm3 = 7.85e-3;
constexpr double kPinG = 2.2;
constexpr double kLinkG = 8;
constexpr double kRodG = 5;
}  // namespace

BodyMasses SteelBodyMasses(double rollerRadiusMm, double rollerWidthMm) {
  const double roller = std::numbers::pi * rollerRadiusMm * rollerRadiusMm * rollerWidthMm * kSteelGPerMm3;
  return {roller, roller + kPinG, kLinkG, kRodG};
}
