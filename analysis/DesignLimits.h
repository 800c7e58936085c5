#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/AtCrank.h"
#include "analysis/LoadSeries.h"

// What a designer must not accept in a mode, each against a limit he may set. The
// defaults:
// - Separation and contact loss: below the engine speed the loads are taken at, or a
//   higher speed given (an over-speed margin); a lower one is not taken, as running past
//   separation is never accepted. At rest only a given speed.
// - Cam Hertz pressure: 1,500 MPa, typical of a hardened steel roller on a cast-iron cam.
// - Pressure angle: 30 degrees, the common guideline for roller followers; above it the
//   side push grows fast and, with friction, the cam's force with it.
// - Film parameter lambda: 1; below it the asperities carry part of the load (boundary
//   lubrication), where scuffing and pitting begin.
// - Seating velocity: 0.5 m/s at the engine speed, the usual guideline for valve seat
//   and face wear.
struct DesignLimits {
  std::optional<double> minSeparationRpm;  // none: the engine speed, where there is one
  double allowableCamHertzMPa = 1500;
  double maxPressureAngleDeg = 30;
  double minFilmRatio = 1;
  double maxSeatingVelocityMPerS = 0.5;
};

// The limits' names, as the flags and the column list them.
enum class LimitKind { Separation, ContactLoss, CamHertz, PressureAngle, FilmRatio, SeatingVelocity };
std::string LimitName(LimitKind kind);

// A mode's figures that the limits judge; none where the model was not asked for them
// (the film without friction, the seating velocity without the elastic model).
struct LimitedFigures {
  std::optional<double> rpm;  // the engine speed the loads are taken at; none at rest
  std::optional<AtCrank> separationRpm;
  std::optional<AtCrank> firstContactLossRpm;
  unsigned firstContactLost = 0;  // LostContact bits
  std::optional<AtCrank> peakCamHertzMPa;
  std::optional<AtCrank> largestPressureAngleDeg;
  std::optional<AtCrank> smallestFilmRatio;
  std::optional<double> seatingVelocityMPerS;
};
// The figures of a mode's load summary at rpm (none: at rest).
LimitedFigures FiguresOf(const LoadSummary& summary, std::optional<double> rpm);

struct LimitFlag {
  LimitKind kind;
  double value = 0;
  double limit = 0;
  std::optional<double> crankDeg;  // where the value lies, if at one crank angle
  unsigned contacts = 0;           // ContactLoss: which (LostContact bits)
  // Separation and contact loss at or below the engine speed itself: the rigid rows
  // past it no longer describe the motion.
  bool pastTheSpeed = false;
};

// Every limit the figures cross, in the order of LimitKind; a figure on its limit is
// accepted.
std::vector<LimitFlag> FlagsAgainstLimits(const LimitedFigures& figures, const DesignLimits& limits);

// The flags' names joined by '+' ("camHertz+pressureAngle"); empty for none.
std::string LimitNames(const std::vector<LimitFlag>& flags);
