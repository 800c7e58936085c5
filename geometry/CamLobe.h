#pragma once

#include <cmath>

#include "geometry/MechanismConstants.h"

// The cam's single lobe, counted in steps of 1/20 degree of cam angle.
inline constexpr int kCamStepsPerTurn = 7200;
inline constexpr int kLobeSteps = 4500;       // the lift spreads over 225 degrees
inline constexpr int kLobeStartEntry = 5650;  // rest step where the lift begins
inline constexpr double kLiftHalf = 3.67;     // half the lift of the lobe

// The pitch radius at lobe step i (0 to kLobeSteps, any real number in between): a lift
// 2 * kLiftHalf high over the base radius, shaped as 1 - cos of 2 pi (i / 4500)^1.5; the
// exponent makes the rise longer than the fall. Number is double for the start tables;
// the exact kinematics evaluates it on numbers that carry derivatives.
template <class Number>
Number LobePitchRadius(const MechanismConstants& constants, const Number& i) {
  using std::pow;
  using std::sin;
  const double lobeScale = std::pow(kLobeSteps, 1.5);
  const Number liftAngle = -constants.pi / 2 + (2 * constants.pi * pow(i, 1.5)) / lobeScale;
  return (constants.camBaseRadius + kLiftHalf) + kLiftHalf * sin(liftAngle);
}
