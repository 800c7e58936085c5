#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/ValveLoads.h"

// One mode's loads over the cycle: a row at each given crank angle, and two rows (the
// values from below and from above) at each crank angle where a curvature jumps, all in
// crank order. Spread over the machine's cores when parallel.
std::vector<LoadRow> LoadSeries(const ExactKinematics& model, const LoadParameters& parameters,
                                const std::vector<double>& crankAngles, bool parallel = true);

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
  std::optional<AtCrank> largestPressureAngleDeg;
  std::optional<AtCrank> smallestCamRadiusMm;  // of the convex parts of the cam's surface
  bool undercut = false;                        // somewhere the cam cannot carry the roller
  std::optional<AtCrank> separationRpm;         // the lowest over the cycle
  int separatedRows = 0;                        // at the given speed
  unsigned lostContacts = 0;                    // LostContact bits of every row
  int lostRows = 0;
  int missingRows = 0;  // no position, or forces without one solution
};
LoadSummary SummariseLoads(std::span<const LoadRow> rows);

// The names of the contacts in LostContact bits, joined by '+': "cam+lever"; empty
// for none.
std::string LostContactNames(unsigned lost);
