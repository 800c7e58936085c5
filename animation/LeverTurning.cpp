#include "animation/LeverTurning.h"

#include <cmath>

#include "animation/Linkage.h"

void PrepareLeverTurning(AnimationState& state) {
  const MechanismConstants& k = state.constants;
  for (int i = kLeverTurnedFirst; i <= kLeverLast; ++i) {
    const double dx = state.tables.leverCurveX[i] - k.leverPivotX;
    const double dy = state.tables.leverCurveY[i] - k.leverPivotY;
    const double r = std::sqrt(dx * dx + dy * dy);
    if (r == 0) {
      // A point on the pivot stays there whatever the turn (and has no direction).
      state.leverRestX[i] = 0;
      state.leverRestY[i] = 0;
      continue;
    }
    // No quadrant correction: a point left of the pivot would be mirrored through it.
    const double u = std::atan(dy / dx);
    state.leverRestX[i] = r * std::cos(u);
    state.leverRestY[i] = r * std::sin(u);
  }
  state.leverCurveTurned = false;
}

void TurnLeverCurve(AnimationState& state) {
  if (state.leverCurveTurned && state.turnedLeverAngle == state.leverAngle) return;
  TurnArcCentres(state);

  // cos(u + L) = cos u cos L - sin u sin L;  sin(u + L) = sin u cos L + cos u sin L.
  const double c = std::cos(state.leverAngle);
  const double s = std::sin(state.leverAngle);
  const double px = state.constants.leverPivotX;
  const double py = state.constants.leverPivotY;
  for (int i = kLeverTurnedFirst; i <= kLeverLast; ++i) {
    const double x = state.leverRestX[i];
    const double y = state.leverRestY[i];
    state.leverCurveNowX[i] = px + (x * c - y * s);
    state.leverCurveNowY[i] = py + (y * c + x * s);
  }
  state.leverCurveTurned = true;
  state.turnedLeverAngle = state.leverAngle;
}
