#include "animation/Linkage.h"

#include <cmath>
#include <optional>

#include "geometry/TriangleApex.h"

namespace {
constexpr double kEccentricRadius = 20;
constexpr double kLinkLength = 20;
constexpr double kRollerSpacing = 19;
constexpr double kRodLength = 20;
constexpr double kBranchLimit = 20;
}  // namespace

void SetControlShafts(AnimationState& state, int scroll1Value, int scroll2Value) {
  const MechanismConstants& k = state.constants;
  state.leverAngle = -scroll1Value / 300.0;
  state.seenScroll1 = scroll1Value;
  state.eccentricDeg = scroll2Value / 10.0;
  state.seenScroll2 = scroll2Value;
  const double a = state.eccentricDeg * k.pi / 180;
  state.eccentricX = k.leverPivotX + kEccentricRadius * std::sin(a);
  state.eccentricY = k.leverPivotY - kEccentricRadius * std::cos(a);
}

void ComputeEccentricDirection(AnimationState& state) {
  const MechanismConstants& k = state.constants;
  const double dy = state.eccentricY - k.leverPivotY;
  if (state.eccentricX == k.leverPivotX) {
    // Straight above or below the pivot: the slope has no value, only a sign. (On the
    // pivot itself, which the eccentric radius rules out, the direction is 0.)
    const double sign = dy > 0 ? 1.0 : dy < 0 ? -1.0 : 0.0;
    state.eccentricDir = sign * k.pi / 2;
    return;
  }
  state.eccentricDir = std::atan(dy / (state.eccentricX - k.leverPivotX));
  if (state.eccentricX < k.leverPivotX) state.eccentricDir += k.pi;
}

bool SolveSecondRollerAndValve(AnimationState& state, WindowVariables& vars) {
  state.prevValveY = state.valveY;

  std::optional<Apex> apex = TriangleApexPlus(state.eccentricX, state.eccentricY, state.rollerX,
                                              state.rollerY, kLinkLength, kRollerSpacing);
  // The test is on the first branch's x against the number 20: where it passes, the
  // construction taken from the roller towards the eccentric gives the wanted side.
  if (apex && apex->X > kBranchLimit) {
    apex = TriangleApexMinus(state.rollerX, state.rollerY, state.eccentricX, state.eccentricY,
                             kRollerSpacing, kLinkLength);
  }
  if (!apex || !(std::abs(apex->X) <= kRodLength)) return false;

  vars.X = apex->X;
  vars.Y = apex->Y;
  vars.fff = apex->fff;
  // The lower of the two points of the valve axis at rod length from the roller.
  state.valveY = vars.Y - std::sqrt(kRodLength * kRodLength - vars.X * vars.X);
  return true;
}

void TurnArcCentres(AnimationState& state) {
  const MechanismConstants& k = state.constants;
  state.cornerDir =
      std::atan((k.cornerCentreY - k.leverPivotY) / (k.cornerCentreX - k.leverPivotX));
  // The designed distance 19 - 1.5, not a measured one.
  const double cornerDist = k.pivotArcRadius - k.cornerArcRadius;
  state.cornerNowX = k.leverPivotX + cornerDist * std::cos(state.cornerDir + state.leverAngle);
  state.cornerNowY = k.leverPivotY + cornerDist * std::sin(state.cornerDir + state.leverAngle);

  const double fx = k.flankCentreX - k.leverPivotX;
  const double fy = k.flankCentreY - k.leverPivotY;
  state.flankDir = std::atan(fy / fx);
  if (fx < 0) state.flankDir += k.pi;
  state.flankDist = std::sqrt(fx * fx + fy * fy);
  state.flankNowX = k.leverPivotX + state.flankDist * std::cos(state.flankDir + state.leverAngle);
  state.flankNowY = k.leverPivotY + state.flankDist * std::sin(state.flankDir + state.leverAngle);
}
