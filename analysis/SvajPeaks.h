#pragma once

#include <optional>
#include <span>
#include <vector>

#include "analysis/AtCrank.h"
#include "analysis/SvajSeries.h"

// The peaks of a mode's motion over the continuous cycle, by crank angle (mm and
// crank degrees), from rows that include both sides of every curvature jump: each
// found between the rows by a bracketing maximiser or taken from a jump's side, so
// they do not depend on the step.
struct SvajPeaks {
  std::optional<AtCrank> maxLift;
  std::optional<AtCrank> highestVelocity;
  std::optional<AtCrank> lowestVelocity;
  std::optional<AtCrank> highestAcceleration;
  std::optional<AtCrank> lowestAcceleration;
  // Of the jerk between the jumps: at a jump itself the acceleration steps, and the
  // jerk there is a Dirac impulse, not a number.
  std::optional<AtCrank> highestJerk;
  std::optional<AtCrank> lowestJerk;
  // Per jump where the acceleration steps: the crank angle and the size of the step,
  // which is the impulse's weight (acceleration from above less from below).
  std::vector<AtCrank> jerkImpulses;
};

SvajPeaks PeaksOf(const ExactKinematics& model, std::span<const SvajSample> rows);

// The same peaks by time at a steady engine speed (velocity mm/s, acceleration and
// impulse weights m/s^2, jerk m/s^3).
SvajPeaks PeaksByTime(const SvajPeaks& peaks, double rpm);
