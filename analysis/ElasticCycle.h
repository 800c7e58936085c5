#pragma once

#include <optional>
#include <span>
#include <vector>

#include "analysis/ElasticParameters.h"
#include "analysis/KinematicLiftCurve.h"
#include "analysis/LoadParameters.h"

// The elastic valve train's periodic steady state at one engine speed: the lumped model
// driven by the rigid chain's lift, integrated (Boost.Odeint's Dormand-Prince pair, with
// error control) cycle after cycle from rest until a cycle ends where it began. Every
// change of contact (chain or seat taking or dropping load) is found on the step's
// dense output and the integration restarts there, so no step straddles one.

// A lift below this is the valve at its seat, for bounces and for the chain's unloading.
inline constexpr double kBounceThresholdMm = 0.05;

struct ElasticRow {
  double crankDeg = 0;
  double kinematicLiftMm = 0;  // the rigid chain's
  double liftMm = 0;           // the valve's own, above its rest
  double velocityMPerS = 0;
  double accelerationMPerS2 = 0;
  double chainForceN = 0;
  double seatForceN = 0;
};

struct SeatImpact {
  double crankDeg = 0;
  double velocityMPerS = 0;  // closing speed, positive
};
struct ValveFlight {  // from leaving the seat to landing on it
  double fromDeg = 0;
  double toDeg = 0;
  double heightMm = 0;  // highest above the seat
};
struct CrankInterval {
  double fromDeg = 0;
  double toDeg = 0;
};

struct ElasticCycle {
  bool periodic = false;  // the steady state was reached
  int cycles = 0;         // integrated
  std::vector<ElasticRow> rows;  // at the asked crank angles, in their order
  std::vector<SeatImpact> impacts;
  std::vector<ValveFlight> flights;  // the highest is the valve's opening; the rest bounce
  std::vector<CrankInterval> chainUnloaded;  // while the rigid lift exceeds the threshold

  // The opening flight, and what follows it.
  std::optional<ValveFlight> Opening() const;
  std::optional<double> SeatingVelocityMPerS() const;  // the largest impact
  std::optional<ValveFlight> HighestBounce() const;
  bool Bounces() const;  // a flight besides the opening above the threshold
  bool Lofts() const { return !chainUnloaded.empty(); }
  double ChainUnloadedDeg() const;  // the intervals' crank angles in all
  int BounceCount() const;          // flights above the threshold besides the opening
};

// Crank angles may be empty (the events and intervals alone). None when the valve
// never rests, so a cycle has no quiet start.
std::optional<ElasticCycle> ElasticCycleAt(const KinematicLiftCurve& lift, const LoadParameters& load,
                                           const ElasticParameters& elastic, std::span<const double> crankAngles);
