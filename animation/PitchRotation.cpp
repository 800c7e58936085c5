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

void RotatePitchCurve(AnimationState& state) {
  // sin(a + t) = sin a cos t + cos a sin t;  cos(a + t) = cos a cos t - sin a sin t.
  const double c = std::cos(state.camAngleRad);
  const double s = std::sin(state.camAngleRad);
  const double cx = state.constants.camCentreX;
  const double cy = state.constants.camCentreY;
  for (int j = 0; j <= kStepsPerTurn; ++j) {
    const double x = state.pitchRestX[j];
    const double y = state.pitchRestY[j];
    state.camPitchX[j] = cx + (x * c + y * s);
    state.camPitchY[j] = cy + (y * c - x * s);
  }
}
