#include "animation/PitchRotation.h"

#include <cmath>

namespace {
constexpr int kStepsPerTurn = 7200;
}

CamTurn CamTurnOf(const AnimationState& state) {
  return {std::cos(state.camAngleRad), std::sin(state.camAngleRad)};
}

void RotatePitchCurve(AnimationState& state) {
  const CamTurn turn = CamTurnOf(state);
  for (int j = 0; j <= kStepsPerTurn; ++j) RotatePitchEntry(state, turn, j, j);
}
