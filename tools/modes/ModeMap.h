#pragma once

#include <memory>
#include <vector>

#include "common/ToolDesign.h"
#include "CrankOrigin.h"
#include "analysis/DemonstrationRevolution.h"
#include "analysis/ModeSummary.h"
#include "common/CsvColumns.h"

// One row of the mode map: a mode, its shaft angles and what its lift curve says.
struct ModeResult {
  ModeSetting mode;
  double leverAngleRad = 0;
  double eccentricDeg = 0;
  ModeSummary summary;
  int unsolvedFrames = 0;  // frames whose linkage has no solution, left out of the summary
};

// Every mode of the grid, lever by lever and, within a lever value, eccentric by
// eccentric.
std::vector<ModeSetting> GridModes(const std::vector<int>& levers, const std::vector<int>& eccentrics);

// The window's kinematics for the modes of a list, one worker's share at a time, on
// the tool's mechanism or another.
class DemonstrationMapJob {
 public:
  DemonstrationMapJob(const std::vector<ModeSetting>& modes, int speed, const MechanismPtr& mechanism = ToolMechanism())
      : modes_(&modes), speed_(speed), model_(std::make_unique<DemonstrationModel>(mechanism)) {}
  ModeResult operator()(std::size_t index);
  // The frames of the mode computed last.
  const DemonstrationRevolution& LastRevolution() const { return revolution_; }

 private:
  const std::vector<ModeSetting>* modes_;
  int speed_;
  std::unique_ptr<DemonstrationModel> model_;
  DemonstrationRevolution revolution_;
};

// The map's columns, crank positions measured from origin.
CsvColumns<ModeResult> ModeMapColumns(const CrankOrigin& origin = {});
