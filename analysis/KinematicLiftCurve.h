#pragma once

#include <optional>
#include <vector>

#include <boost/math/interpolators/quintic_hermite.hpp>

#include "analysis/ExactKinematics.h"

// The rigid chain's valve lift over one cycle as a smooth periodic function of crank
// angle, for integrators that ask for it anywhere: samples of lift and its first two
// derivatives at an even crank step, joined by quintic Hermite pieces. Lift is taken
// from the valve's rest on its seat (the rigid construction leaves it a few nanometres
// off zero there).
class KinematicLiftCurve {
 public:
  // Samples at 0, step, 2 step, ... below 720 crank degrees: mm, mm/deg, mm/deg^2.
  KinematicLiftCurve(std::vector<double> liftMm, std::vector<double> velocityMmPerDeg,
                     std::vector<double> accelerationMmPerDeg2, double stepDeg);

  // From the exact model; none where a crank angle of the cycle has no position.
  static std::optional<KinematicLiftCurve> FromExact(const ExactKinematics& model, double stepDeg = 0.25);

  double LiftMm(double crankDeg) const { return curve_(Wrapped(crankDeg)); }
  double VelocityMmPerDeg(double crankDeg) const { return curve_.prime(Wrapped(crankDeg)); }
  double AccelerationMmPerDeg2(double crankDeg) const { return curve_.double_prime(Wrapped(crankDeg)); }
  double StepDeg() const { return stepDeg_; }
  // The middle of the longest run of samples at zero lift: where a cycle may start
  // with the valve at rest. None if the valve never rests.
  std::optional<double> RestingCrankDeg() const { return resting_; }
  double PeakLiftMm() const { return peak_; }

 private:
  static double Wrapped(double crankDeg);
  boost::math::interpolators::cardinal_quintic_hermite<std::vector<double>> curve_;
  double stepDeg_;
  std::optional<double> resting_;
  double peak_ = 0;
};
