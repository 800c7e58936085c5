#pragma once

#include <functional>
#include <optional>

#include "analysis/TargetSolver.h"
#include "geometry/Mechanism.h"

// The modes that reach a target lift and duration, solved from the design's default
// map (the window's kinematics on its grid of whole bar values, at the window's start
// speed) as starting points; out of reach, the nearest one. The map runs on the pool
// on at most `threads` threads (0: one per core); stop() is asked between its modes,
// and once it says true there is no answer.
std::optional<TargetAnswer> SearchTarget(const MechanismPtr& mechanism, TargetPoint target, int threads,
                                         const std::function<bool()>& stop = [] { return false; });
