#pragma once

#include <cmath>

#include "geometry/CamLobe.h"
#include "geometry/MechanismConstants.h"

// The cam's pitch radius at any real rest angle (radians, from +y towards +x, cam
// at rest): the start tables' rule taken between its steps, so that at a whole step
// it gives the table's entry. Off the lobe it is the base radius.
template <class Number>
Number PitchRadiusAt(const MechanismConstants& constants, const Number& restAngle) {
  const Number steps = restAngle * (kCamStepsPerTurn / (2 * constants.pi));
  // The lobe step, wrapped into one turn; the wrap is a constant shift, so it leaves
  // the derivatives alone.
  const double turns = std::floor((static_cast<double>(steps) - kLobeStartEntry) / kCamStepsPerTurn);
  const Number lobeStep = steps - (kLobeStartEntry + turns * kCamStepsPerTurn);
  const double i = static_cast<double>(lobeStep);
  // At step 0 itself the lift is flat (it starts as the cube of the step), but the
  // power 1.5 has no higher derivatives there.
  if (!(i > 0) || i > kLobeSteps) return Number(constants.camBaseRadius);
  // 1 - cos p written as 2 sin^2(p / 2): the same rule, but it keeps the lift and its
  // derivatives accurate where the phase is tiny, next to the start of the lobe,
  // where 1 - cos p would lose them to rounding.
  using std::sin;
  const Number half = sin(LobePhase(constants, lobeStep) / 2);
  return constants.camBaseRadius + 2 * kLiftHalf * half * half;
}
