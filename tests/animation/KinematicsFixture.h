#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "animation/LeverTurning.h"
#include "animation/PitchRotation.h"
#include "geometry/MechanismConstants.h"

// The animation's state with the start tables and the rotation caches, but no loop:
// for calling the per-frame steps one at a time.
class KinematicsFixture : public ::testing::Test {
 protected:
  KinematicsFixture() : state_(std::make_unique<AnimationState>()) {
    state_->constants = MakeMechanismConstants();
    BuildProfileTables(state_->constants, state_->tables);
    PreparePitchRotation(*state_);
    PrepareLeverTurning(*state_);
  }

  void TurnCamTo(double camAngle) {
    state_->camAngle = camAngle;
    state_->camAngleRad = camAngle * state_->constants.pi / 180;
    RotatePitchCurve(*state_);
  }

  AnimationState& S() { return *state_; }

 private:
  std::unique_ptr<AnimationState> state_;
};
