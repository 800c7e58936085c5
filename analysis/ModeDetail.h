#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/DemonstrationRevolution.h"
#include "analysis/ExactLiftSummary.h"
#include "analysis/LoadParameters.h"
#include "analysis/LoadSeries.h"
#include "analysis/SvajPeaks.h"
#include "analysis/SvajSeries.h"
#include "animation/BarStarts.h"

// Everything said about one mode, for a page or a report: the window's revolution at
// the nearest whole bar values (the bars hold whole values only), the exact model at
// the bar values asked (whole or not) at the same frames and along the whole cycle,
// and the peaks of its motion and its loads at an engine speed.
struct ModeDetailRequest {
  double lever = kLeverBarStart;  // bar values
  double eccentric = kEccentricBarStart;
  int speed = kSpeedBarStart;  // HScroll1 value: sets the window's frames
  double rpm = 3000;      // engine speed for the derivatives by time
  double svajStepDeg = 0.5;
  LoadParameters loads;  // its rpm is the one above
  MechanismPtr mechanism = WindowMechanism();  // the design the mode belongs to
};

// One line of the mode's table: a value of the window's model and of the exact one
// (either may be missing), with its name, unit, and the columns of torlin-modes'
// map (with --exact) that hold the same values, where it has them.
struct ModeDetailRow {
  std::string label;
  std::string unit;
  std::string windowColumn;
  std::string exactColumn;
  std::optional<double> window;
  std::optional<double> exact;
  bool whole = false;  // a count or a yes (1) or no (0): no decimals
};

struct ModeDetail {
  ModeDetailRequest request;
  ModeSetting window;  // the whole bar values the window's model ran at
  double leverAngleRad = 0;  // of the bar values asked
  double eccentricDeg = 0;
  DemonstrationRevolution revolution;
  std::vector<LiftSample> windowCurve;
  std::vector<SvajSample> svaj;  // exact, every svajStepDeg
  SvajPeaks peaks;               // by time at the engine speed, with both sides of every jump
  ExactLiftSummary continuous;
  LoadSummary loads;  // at the engine speed, which the limits judge
  std::vector<ModeDetailRow> rows;
};

ModeDetail DetailOf(const ModeDetailRequest& request, DemonstrationModel& model);
