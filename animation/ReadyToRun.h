#pragma once

#include <memory>

#include "animation/AnimationState.h"

// The state every run of the kinematics starts from, made in this one place: the
// mechanism's constants, the start tables and the rest positions that make a frame's
// turning cheap. Every other value is 0, as the loop's first frame expects.
// The window runs its own mechanism; the tools may run any the window's search can sample.
void MakeReadyToRun(AnimationState& state, MechanismPtr mechanism = WindowMechanism());

// A fresh state made ready to run (the state is large: it lives on the heap).
std::unique_ptr<AnimationState> ReadyToRunState(MechanismPtr mechanism = WindowMechanism());
