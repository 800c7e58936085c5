#include "animation/ReadyToRun.h"

#include "animation/LeverTurning.h"
#include "animation/PitchRotation.h"

void MakeReadyToRun(AnimationState& state) {
  state.constants = MakeMechanismConstants();
  BuildProfileTables(state.constants, state.tables);
  PreparePitchRotation(state);
  PrepareLeverTurning(state);
}

std::unique_ptr<AnimationState> ReadyToRunState() {
  auto state = std::make_unique<AnimationState>();
  MakeReadyToRun(*state);
  return state;
}
