#pragma once

#include <cmath>
#include <numbers>

#include "geometry/Design.h"

// The cam's single lobe on the pitch radius, counted in steps of 1/20 degree of cam
// angle, as the start tables count it.
inline constexpr int kCamStepsPerTurn = 7200;
inline constexpr double kCamStepsPerDeg = kCamStepsPerTurn / 360.0;

struct CamLobe {
  LobeLaw law = LobeLaw::CosinePower;
  double baseRadius = 0;
  double liftHalf = 0;   // half the lobe's lift
  double startStep = 0;  // rest step where the lift begins
  double steps = 0;      // the lobe's span
  double exponent = 1.5;
  double rampHeight = 0;
  double rampSteps = 0;
};
CamLobe CamLobeOf(const CamDesign& cam);

// The cosine-power lobe's phase 2 pi (i / steps)^p at lobe step i (0 to steps): the
// exponent makes the rise longer than the fall. Number is double for the start tables;
// the exact kinematics evaluates it on numbers that carry derivatives.
template <class Number>
Number LobePhase(const CamLobe& lobe, const Number& i) {
  using std::pow;
  const double lobeScale = std::pow(lobe.steps, lobe.exponent);
  return (2 * std::numbers::pi * pow(i, lobe.exponent)) / lobeScale;
}

// 35w^4 - 84w^5 + 70w^6 - 20w^7: a rise from 0 to 1 with no velocity, acceleration or
// jerk at either end.
template <class Number>
Number Rise4567(const Number& w) {
  const Number w2 = w * w;
  return w2 * w2 * (35.0 + w * (-84.0 + w * (70.0 - 20.0 * w)));
}

// The lift at lobe step i in (0, steps].
template <class Number>
Number LobeLiftAt(const CamLobe& lobe, const Number& i) {
  using std::sin;
  if (lobe.law == LobeLaw::CosinePower) {
    // 1 - cos p written as 2 sin^2(p / 2): the same rule, but it keeps the lift and
    // its derivatives accurate where the phase is tiny, next to the start of the
    // lobe, where 1 - cos p would lose them to rounding.
    const Number half = sin(LobePhase(lobe, i) / 2);
    return 2 * lobe.liftHalf * half * half;
  }
  // Symmetric about the middle: a ramp, then the main rise to the top.
  const double middle = lobe.steps / 2;
  const Number j = static_cast<double>(i) <= middle ? i : lobe.steps - i;
  const double top = 2 * lobe.liftHalf;
  if (static_cast<double>(j) <= lobe.rampSteps) {
    if (!(lobe.rampSteps > 0)) return Number(0);
    return lobe.rampHeight * Rise4567(j / lobe.rampSteps);
  }
  return lobe.rampHeight +
         (top - lobe.rampHeight) * Rise4567((j - lobe.rampSteps) / (middle - lobe.rampSteps));
}

// The pitch radius at whole lobe step i, as the start tables compute it.
inline double LobePitchRadius(const CamLobe& lobe, int i) {
  if (lobe.law == LobeLaw::CosinePower) {
    const double liftAngle = -std::numbers::pi / 2 + LobePhase(lobe, static_cast<double>(i));
    return (lobe.baseRadius + lobe.liftHalf) + lobe.liftHalf * std::sin(liftAngle);
  }
  return i > 0 ? lobe.baseRadius + LobeLiftAt(lobe, static_cast<double>(i)) : lobe.baseRadius;
}
