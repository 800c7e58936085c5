#include "animation/ReadyToRun.h"

#include "animation/LeverTurning.h"
#include "animation/PitchRotation.h"

void MakeReadyToRun(AnimationState& state, MechanismPtr mechanism) {
  state.mechanism = std::move(mechanism);
  state.constants = state.mechanism->Constants();
  BuildProfileTables(*state.mechanism, state.tables);
  PreparePitchRotation(state);
  PrepareLeverTurning(state);
}

std::unique_ptr<AnimationState> ReadyToRunState(MechanismPtr mechanism) {
  auto state = std::make_unique<AnimationState>();
  MakeReadyToRun(*state, std::move(mechanism));
  return state;
}
