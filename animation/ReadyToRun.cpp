#include "animation/ReadyToRun.h"


void MakeReadyToRun(AnimationState& state, MechanismPtr mechanism) {
  state.mechanism = std::move(mechanism);
  state.constants = state.mechanism->Constants();
  state.tables = &state.mechanism->Tables();
  state.leverCurveTurned = false;
}

std::unique_ptr<AnimationState> ReadyToRunState(MechanismPtr mechanism) {
  auto state = std::make_unique<AnimationState>();
  MakeReadyToRun(*state, std::move(mechanism));
  return state;
}
