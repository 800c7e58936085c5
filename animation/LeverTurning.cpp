#include "animation/LeverTurning.h"

#include <cmath>

#include "animation/Linkage.h"

void TurnLeverCurve(AnimationState& state) {
  if (state.leverCurveTurned && state.turnedLeverAngle == state.leverAngle) return;
  TurnArcCentres(state);

  // cos(u + L) = cos u cos L - sin u sin L;  sin(u + L) = sin u cos L + cos u sin L.
  const double c = std::cos(state.leverAngle);
  const double s = std::sin(state.leverAngle);
  const double px = state.constants.leverPivotX;
  const double py = state.constants.leverPivotY;
  for (int i = kLeverTurnedFirst; i <= kLeverLast; ++i) {
    const double x = state.tables->leverRestX[i];
    const double y = state.tables->leverRestY[i];
    state.leverCurveNowX[i] = px + (x * c - y * s);
    state.leverCurveNowY[i] = py + (y * c + x * s);
  }
  state.leverCurveTurned = true;
  state.turnedLeverAngle = state.leverAngle;
}
