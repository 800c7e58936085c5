#include "animation/PitchRotation.h"

#include <cmath>

namespace {
constexpr int kStepsPerTurn = 7200;
}

void PreparePitchRotation(AnimationState& state) {
  const double pi = state.constants.pi;
  const PitchTable& radius = state.tables.camPitchRadius;
  for (int j = 0; j <= kStepsPerTurn; ++j) {
    const double a = pi * j / 3600;
    const double r = radius[j % kStepsPerTurn];
    state.pitchRestX[j] = r * std::sin(a);
    state.pitchRestY[j] = r * std::cos(a);
  }
}

CamTurn CamTurnOf(const AnimationState& state) {
  return {std::cos(state.camAngleRad), std::sin(state.camAngleRad)};
}

void RotatePitchCurve(AnimationState& state) {
  const CamTurn turn = CamTurnOf(state);
  for (int j = 0; j <= kStepsPerTurn; ++j) RotatePitchEntry(state, turn, j, j);
}
