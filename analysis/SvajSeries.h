#pragma once

#include <span>
#include <vector>

#include "analysis/CrankPlaces.h"
#include "analysis/ExactKinematics.h"

// Lift, velocity, acceleration and jerk over one cam revolution (crank angles 0 up to,
// not including, 720) at a fixed crank-angle step.
struct SvajSample {
  double crankDeg = 0;
  ExactSvaj svaj;
  int side = 0;  // -1, +1: the values from below and from above at a curvature jump
};

// The crank angles step * i below 720; step must be positive.
std::vector<double> CrankAngles(double stepDeg);

std::vector<SvajSample> SvajSeries(const ExactKinematics& model, double stepDeg);
// The same at any crank angles, in their order, on the calling thread (the tools spread
// the work over their own thread pool).
std::vector<SvajSample> SvajSeries(const ExactKinematics& model, const std::vector<double>& crankAngles);
// The same at places (CrankPlaces): two rows at every jump, one from each side.
std::vector<SvajSample> SvajSeries(const ExactKinematics& model, std::span<const CrankPlace> places);

// The same derivatives by time at a steady engine speed: the crank turns 6 * rpm
// degrees per second.
struct SvajByTime {
  double velocity = 0;      // mm/s
  double acceleration = 0;  // m/s^2
  double jerk = 0;          // m/s^3
};
SvajByTime ToTimeUnits(const ExactSvaj& svaj, double rpm);
