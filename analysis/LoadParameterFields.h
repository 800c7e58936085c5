#pragma once

#include "analysis/LoadParameters.h"

// The load model's parameters beside the engine speed, each with its name (as a CSV's
// trailing block and a page's address write it), what it is, its unit and its range:
// above 0 (or from 0 where zeroAllowed) up to max.
struct LoadParameterField {
  const char* name;
  const char* label;
  const char* unit;
  double max;
  double LoadParameters::*member;
  bool zeroAllowed = false;
};

inline constexpr LoadParameterField kLoadParameterFields[] = {
    {"springRate_NPerMm", "valve spring rate", "N/mm", kMaxSpringRateNPerMm, &LoadParameters::springRateNPerMm},
    {"springPreload_N", "spring force on the shut valve", "N", kMaxSpringPreloadN, &LoadParameters::springPreloadN},
    {"movingMass_g", "reciprocating mass at the valve", "g", kMaxMovingMassG, &LoadParameters::movingMassG},
    {"rollerWidth_mm", "length of each line contact", "mm", kMaxRollerWidthMm, &LoadParameters::rollerWidthMm},
    {"youngsModulus_GPa", "Young's modulus of the contacting parts", "GPa", kMaxYoungsModulusGPa,
     &LoadParameters::youngsModulusGPa},
    {"poisson", "Poisson's ratio of the contacting parts", "", kMaxPoisson, &LoadParameters::poisson, true},
};

// Whether a value lies in the field's range.
constexpr bool InRange(const LoadParameterField& field, double value) {
  return value <= field.max && (field.zeroAllowed ? value >= 0 : value > 0);
}
