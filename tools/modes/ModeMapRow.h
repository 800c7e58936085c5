#pragma once

#include <string>

#include "analysis/DemonstrationRevolution.h"
#include "analysis/ModeSetting.h"
#include "analysis/ModeSummary.h"

// One row of the mode map: a mode, its shaft angles and what its lift curve says.
struct ModeResult {
  ModeSetting mode;
  double leverAngleRad = 0;
  double eccentricDeg = 0;
  ModeSummary summary;
  int unsolvedFrames = 0;  // frames whose linkage has no solution, left out of the summary
};

// Runs the window's kinematics for one mode into revolution and summarises it.
ModeResult MapResultOf(DemonstrationModel& model, ModeSetting mode, int speed, DemonstrationRevolution& revolution);

std::string ModeMapHeader();
std::string ModeMapRow(const ModeResult& result);
