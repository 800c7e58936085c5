#pragma once

#include <memory>

#include "animation/AnimationState.h"
#include "animation/FrameSchedule.h"
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
  if (!FrameWithinRevolution(s.camAngle)) s.camAngle = kFirstFrameCamDeg;
  s.camAngleRad = CamRadians(s.camAngle, s.constants);
}
