#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "animation/LeverTurning.h"
#include "animation/PitchRotation.h"
#include "geometry/MechanismConstants.h"

// The animation's state with the start tables and the rotation caches, but no loop.
inline std::unique_ptr<AnimationState> PreparedState() {
  auto state = std::make_unique<AnimationState>();
  state->constants = MakeMechanismConstants();
  BuildProfileTables(state->constants, state->tables);
  PreparePitchRotation(*state);
  PrepareLeverTurning(*state);
  return state;
}

// A prepared state for calling the per-frame steps one at a time.
class KinematicsFixture : public ::testing::Test {
 protected:
  KinematicsFixture() : state_(PreparedState()) {}

  void TurnCamTo(double camAngle) {
    state_->camAngle = camAngle;
    state_->camAngleRad = camAngle * state_->constants.pi / 180;
    RotatePitchCurve(*state_);
  }

  AnimationState& S() { return *state_; }

 private:
  std::unique_ptr<AnimationState> state_;
};
