#pragma once

#include <memory>

#include "animation/AnimationState.h"
#include "animation/LeverTurning.h"
#include "animation/Linkage.h"
#include "animation/PitchRotation.h"
#include "animation/ReadyToRun.h"

// The animation's state made ready to run, at the given control-shaft settings.
inline std::unique_ptr<AnimationState> StartedState(int scroll1, int scroll2) {
  auto state = ReadyToRunState();
  SetControlShafts(*state, scroll1, scroll2);
  return state;
}

// Cam angles of a revolution at 4 degrees per frame, one per call.
inline void NextCamAngle(AnimationState& s) {
  s.camAngle += 4;
  if (s.camAngle > 359) s.camAngle = 0;
  s.camAngleRad = s.camAngle * s.constants.pi / 180;
}
