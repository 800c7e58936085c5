#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "animation/LeverTurning.h"
#include "animation/PitchRotation.h"
#include "animation/ReadyToRun.h"

// A prepared state for calling the per-frame steps one at a time.
class KinematicsFixture : public ::testing::Test {
 protected:
  KinematicsFixture() : state_(ReadyToRunState()) {}

  void TurnCamTo(double camAngle) {
    state_->camAngle = camAngle;
    state_->camAngleRad = camAngle * state_->constants.pi / 180;
    RotatePitchCurve(*state_);
  }

  AnimationState& S() { return *state_; }

 private:
  std::unique_ptr<AnimationState> state_;
};
