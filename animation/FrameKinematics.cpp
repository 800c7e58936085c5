#include "animation/FrameKinematics.h"

#include "animation/ContactSearch.h"
#include "animation/LeverTurning.h"
#include "animation/Linkage.h"
#include "animation/PitchRotation.h"

namespace {

// The eccentric direction, and the lever brought to leverAngle.
ShaftPose PlaceShafts(AnimationState& state) {
  ComputeEccentricDirection(state);
  TurnLeverCurve(state);
  return {state.eccentricX, state.eccentricY, state.eccentricDir, state.cornerNowX,
          state.cornerNowY,  state.flankNowX,  state.flankNowY,    &state.leverCurveNowX,
          &state.leverCurveNowY};
}

}  // namespace

Pose FrameKinematics(AnimationState& state, WindowVariables& vars, PitchTurning turning) {
  if (turning == PitchTurning::Whole) {
    RotatePitchCurve(state);
    RunContactSearch(state);
  } else {
    RunContactSearchTurningOnDemand(state);
  }
  Pose pose;
  pose.prevRollerX = state.prevRollerX;
  pose.prevRollerY = state.prevRollerY;
  pose.rollerX = state.rollerX;
  pose.rollerY = state.rollerY;
  pose.prevValveY = state.valveY;
  pose.solved = SolveSecondRollerAndValve(state, vars);
  pose.prevX = state.prevX;
  pose.prevY = state.prevY;
  pose.X = vars.X;
  pose.Y = vars.Y;
  pose.valveY = state.valveY;
  state.prevX = vars.X;
  state.prevY = vars.Y;
  // The contact search above read the lever as the previous frame left it.
  pose.shafts = PlaceShafts(state);
  return pose;
}

ErasePose EraseKinematics(AnimationState& state) {
  ErasePose pose;
  pose.shafts = PlaceShafts(state);
  pose.rollerX = state.prevRollerX;
  pose.rollerY = state.prevRollerY;
  pose.X = state.prevX;
  pose.Y = state.prevY;
  return pose;
}
