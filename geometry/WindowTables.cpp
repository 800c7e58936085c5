#include "geometry/WindowTables.h"

#include <cmath>

namespace {

constexpr int kStepsPerTurn = 7200;

void BuildPitchRest(const MechanismConstants& k, WindowTables& tables) {
  const PitchTable& radius = tables.profile.camPitchRadius;
  for (int j = 0; j <= kStepsPerTurn; ++j) {
    const double a = k.pi * j / 3600;
    const double r = radius[j % kStepsPerTurn];
    tables.pitchRestX[j] = r * std::sin(a);
    tables.pitchRestY[j] = r * std::cos(a);
  }
}

void BuildLeverRest(const MechanismConstants& k, WindowTables& tables) {
  for (int i = kLeverTurnedFirst; i <= kLeverLast; ++i) {
    const double dx = tables.profile.leverCurveX[i] - k.leverPivotX;
    const double dy = tables.profile.leverCurveY[i] - k.leverPivotY;
    const double r = std::sqrt(dx * dx + dy * dy);
    if (r == 0) continue;  // a point on the pivot stays there whatever the turn
    // No quadrant correction: a point left of the pivot would be mirrored through it.
    const double u = std::atan(dy / dx);
    tables.leverRestX[i] = r * std::cos(u);
    tables.leverRestY[i] = r * std::sin(u);
  }
}

}  // namespace

void BuildWindowTables(const Mechanism& mechanism, WindowTables& tables) {
  BuildProfileTables(mechanism, tables.profile);
  BuildPitchRest(mechanism.Constants(), tables);
  BuildLeverRest(mechanism.Constants(), tables);
}
