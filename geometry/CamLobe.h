#pragma once

#include <cmath>

#include "geometry/MechanismConstants.h"

// The cam's single lobe, counted in steps of 1/20 degree of cam angle.
inline constexpr int kCamStepsPerTurn = 7200;
inline constexpr int kLobeSteps = 4500;       // the lift spreads over 225 degrees
inline constexpr int kLobeStartEntry = 5650;  // rest step where the lift begins
inline constexpr double kLiftHalf = 3.67;     // half the lift of the lobe

// The lobe is a lift 2 * kLiftHalf high over the base radius, shaped as 1 - cos of the
// phase 2 pi (i / 4500)^1.5 at lobe step i (0 to kLobeSteps); the exponent makes the rise
// longer than the fall. Number is double for the start tables; the exact kinematics
// evaluates the phase at any real step, on numbers that carry derivatives.
template <class Number>
Number LobePhase(const MechanismConstants& constants, const Number& i) {
  using std::pow;
  const double lobeScale = std::pow(kLobeSteps, 1.5);
  return (2 * constants.pi * pow(i, 1.5)) / lobeScale;
}

// The pitch radius at whole lobe step i, as the start tables compute it.
inline double LobePitchRadius(const MechanismConstants& constants, int i) {
  const double liftAngle = -constants.pi / 2 + LobePhase(constants, static_cast<double>(i));
  return (constants.camBaseRadius + kLiftHalf) + kLiftHalf * std::sin(liftAngle);
}
