#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/AtCrank.h"
#include "analysis/CrankPlaces.h"
#include "analysis/ValveLoads.h"

// The loads at one of CrankPlaces: from its side of a jump.
LoadRow LoadsAt(const ExactKinematics& model, const LoadParameters& parameters, const CrankPlace& place,
                SeatedRows seatedRows = SeatedRows::Full);

// The rows at all those places, one after another (the tools spread rows or modes
// over their own thread pool).
std::vector<LoadRow> LoadSeries(const ExactKinematics& model, const LoadParameters& parameters,
                                const std::vector<double>& crankAngles, SeatedRows seatedRows = SeatedRows::Full);

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
};
LoadSummary SummariseLoads(std::span<const LoadRow> rows);
// The same with the lowest separation speed of the continuous cycle rather than of the
// rows: between the rows (which must include both sides of every jump) by a bracketing
// minimiser, so that it does not depend on where the rows lie.
LoadSummary SummariseLoads(const ExactKinematics& model, const LoadParameters& parameters,
                           std::span<const LoadRow> rows);

// The names of the contacts in LostContact bits, joined by '+': "cam+lever"; empty
// for none.
std::string LostContactNames(unsigned lost);
