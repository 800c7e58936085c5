#include "animation/Linkage.h"

#include <cmath>

ControlShaftPose ControlShaftsFor(const Mechanism& mechanism, double scroll1Value,
                                  double scroll2Value) {
  const MechanismConstants& k = mechanism.Constants();
  const double radius = mechanism.Linkage().eccentricRadius;
  ControlShaftPose pose;
  pose.leverAngle = mechanism.LeverAngleFor(scroll1Value);
  pose.eccentricDeg = mechanism.EccentricDegFor(scroll2Value);
  const double a = pose.eccentricDeg * k.pi / 180;
  pose.eccentricX = k.leverPivotX + radius * std::sin(a);
  pose.eccentricY = k.leverPivotY - radius * std::cos(a);
  return pose;
}

void SetControlShafts(AnimationState& state, int scroll1Value, int scroll2Value) {
  const ControlShaftPose pose = ControlShaftsFor(*state.mechanism, scroll1Value, scroll2Value);
  state.leverAngle = pose.leverAngle;
  state.seenScroll1 = scroll1Value;
  state.eccentricDeg = pose.eccentricDeg;
  state.seenScroll2 = scroll2Value;
  state.eccentricX = pose.eccentricX;
  state.eccentricY = pose.eccentricY;
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
  const auto placed =
      PlaceSecondRollerAndValve(state.mechanism->Linkage(), state.eccentricX, state.eccentricY, state.rollerX, state.rollerY);
  if (!placed) return false;
  vars.X = placed->secondRoller.X;
  vars.Y = placed->secondRoller.Y;
  vars.fff = placed->secondRoller.fff;
  state.valveY = placed->valveY;
  return true;
}

void TurnArcCentres(AnimationState& state) {
  const MechanismConstants& k = state.constants;
  state.cornerDir =
      std::atan((k.cornerCentreY - k.leverPivotY) / (k.cornerCentreX - k.leverPivotX));
  // The designed distance, the difference of the radii, not a measured one.
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
