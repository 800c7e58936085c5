#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/ValveLoads.h"

// Where a mode's rows stand: each given crank angle, and two rows (the values from
// below and from above) at each crank angle where a curvature jumps, in crank order.
struct LoadRowPlace {
  double crankDeg = 0;
  int side = 0;  // -1, +1 at a jump
  int arc = -1;  // at a hand-over, the lever arc of this side; else -1
};
std::vector<LoadRowPlace> LoadRowPlaces(const ExactKinematics& model, const std::vector<double>& crankAngles);
LoadRow LoadsAt(const ExactKinematics& model, const LoadParameters& parameters, const LoadRowPlace& place,
                SeatedRows seatedRows = SeatedRows::Full);

// The rows at all those places, one after another (the tools spread rows or modes
// over their own thread pool).
std::vector<LoadRow> LoadSeries(const ExactKinematics& model, const LoadParameters& parameters,
                                const std::vector<double>& crankAngles, SeatedRows seatedRows = SeatedRows::Full);

// A value and the crank angle where it occurs.
struct AtCrank {
  double value = 0;
  double crankDeg = 0;
};

struct TorqueSummary {
  std::optional<AtCrank> peakNm;  // the largest in size, with its sign
  std::optional<double> meanNm;   // over the evenly spaced rows: the cycle's average
};

// What a mode's rows say. Peaks take both sides of every jump, so they do not depend
// on the sampling step there.
struct LoadSummary {
  TorqueSummary camshaft;
  TorqueSummary green;
  TorqueSummary orange;
  std::optional<AtCrank> peakCamHertzMPa;
  std::optional<AtCrank> peakLeverHertzMPa;
  std::optional<AtCrank> peakRollerHertzMPa;
  // Where the cam carries the valve (not while it is seated):
  std::optional<AtCrank> largestPressureAngleDeg;
  std::optional<AtCrank> smallestCamRadiusMm;  // of the convex parts of the cam's surface
  bool undercut = false;                        // somewhere the cam cannot carry the roller
  std::optional<AtCrank> separationRpm;         // the lowest over the cycle
  int separatedRows = 0;                        // at the given speed
  unsigned lostContacts = 0;                    // LostContact bits of every row
  int lostRows = 0;
  int missingRows = 0;  // no position, or forces without one solution
  // With the bodies' masses: the lowest speed at which a contact would have to pull
  // while the valve is carried (lifted kCarriedLiftMm or more; below that its lift-off
  // joins the seated phase, the return spring's part), and which contact; the largest
  // return spring the seated phase needs.
  std::optional<AtCrank> firstContactLossRpm;
  unsigned firstContactLost = 0;
  std::optional<AtCrank> returnSpringN;
};
inline constexpr double kCarriedLiftMm = 0.05;
LoadSummary SummariseLoads(std::span<const LoadRow> rows);

// The names of the contacts in LostContact bits, joined by '+': "cam+lever"; empty
// for none.
std::string LostContactNames(unsigned lost);
