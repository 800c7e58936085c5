#pragma once

#include <optional>
#include <vector>

#include "geometry/Mechanism.h"

// Which modes give a wanted maximum lift and duration above 1 mm, on the exact model
// with the two bars at any real value within their ranges (not only whole ones).

struct TargetPoint {
  double liftMm = 0;
  double durationCrankDeg = 0;
};

// A grid of modes with what some model says of them, to start the search from: the
// window's map serves, being near the exact model everywhere.
struct TargetSeeds {
  std::vector<double> levers;      // bar values, ascending
  std::vector<double> eccentrics;  // bar values, ascending
  // points[i * eccentrics.size() + j] belongs to levers[i], eccentrics[j]; a mode
  // that never reaches 1 mm has duration 0.
  std::vector<TargetPoint> points;
  MechanismPtr mechanism = WindowMechanism();  // the mechanism the exact model solves
};

struct TargetMode {
  double lever = 0;  // bar values
  double eccentric = 0;
  TargetPoint reached;  // what the exact model gives there
  // Its timing, which the two shafts move as well: opening and closing at 1 mm (none
  // where the lift never gets there) and where the lift is highest, crank degrees.
  std::optional<double> openingCrankDeg;
  std::optional<double> closingCrankDeg;
  double maxLiftCrankDeg = 0;
};

struct TargetAnswer {
  bool reachable = false;
  // Reachable: the distinct modes that hit the target, best first, each refined to
  // the target itself as far as it gets there; two searches ending in one connected
  // piece of the tolerance box are one mode, the more accurate kept. Otherwise one:
  // the mode whose point lies nearest the target, a local minimum of the distance.
  std::vector<TargetMode> modes;
};

// The targets there are: a maximum lift from 0 to this, a duration above 1 mm from 0
// to this.
inline constexpr double kMaxTargetLiftMm = 30;
inline constexpr double kMaxTargetDurationDeg = 720;
// Within these the target counts as hit.
inline constexpr double kTargetLiftToleranceMm = 0.01;
inline constexpr double kTargetDurationToleranceDeg = 0.1;
// How lift and duration weigh against each other when the nearest point is sought:
// 1 mm of lift counts as much as this many crank degrees.
inline constexpr double kCrankDegPerMm = 20;

TargetAnswer SolveTarget(TargetPoint target, const TargetSeeds& seeds);

// The exact model's own points on a grid of leverSteps x eccentricSteps modes spread
// evenly over the given ranges, for callers without a map at hand.
TargetSeeds ExactSeeds(double leverFirst, double leverLast, int leverSteps, double eccentricFirst,
                       double eccentricLast, int eccentricSteps);
