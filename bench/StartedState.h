#pragma once

#include <memory>

#include "animation/AnimationState.h"
#include "animation/LeverTurning.h"
#include "animation/Linkage.h"
#include "animation/PitchRotation.h"

// The animation's state after start-up, with the rotation caches, at the given
// control-shaft settings.
inline std::unique_ptr<AnimationState> StartedState(int scroll1, int scroll2) {
  auto state = std::make_unique<AnimationState>();
  state->constants = MakeMechanismConstants();
  BuildProfileTables(state->constants, state->tables);
  PreparePitchRotation(*state);
  PrepareLeverTurning(*state);
  SetControlShafts(*state, scroll1, scroll2);
  return state;
}

// Cam angles of a revolution at 4 degrees per frame, one per call.
inline void NextCamAngle(AnimationState& s) {
  s.camAngle += 4;
  if (s.camAngle > 359) s.camAngle = 0;
  s.camAngleRad = s.camAngle * s.constants.pi / 180;
}
