#pragma once

#include <cmath>

#include "geometry/CamLobe.h"

// The cam's pitch radius at any real rest angle (radians, from +y towards +x, cam
// at rest): the start tables' rule taken between its steps, so that at a whole step
// it gives the table's entry. Off the lobe it is the base radius.
template <class Number>
Number PitchRadiusAt(const CamLobe& lobe, const Number& restAngle) {
  const Number steps = restAngle * (kCamStepsPerTurn / (2 * std::numbers::pi));
  // The lobe step, wrapped into one turn; the wrap is a constant shift, so it leaves
  // the derivatives alone.
  const double turns = std::floor((static_cast<double>(steps) - lobe.startStep) / kCamStepsPerTurn);
  const Number lobeStep = steps - (lobe.startStep + turns * kCamStepsPerTurn);
  const double i = static_cast<double>(lobeStep);
  // At step 0 itself the lift is flat (the cosine-power lift starts as the cube of the
  // step), but the power has no higher derivatives there.
  if (!(i > 0) || i > lobe.steps) return Number(lobe.baseRadius);
  return lobe.baseRadius + LobeLiftAt(lobe, lobeStep);
}
