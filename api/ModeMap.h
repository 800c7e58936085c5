#pragma once

#include <memory>
#include <vector>

#include "api/CrankOrigin.h"
#include "analysis/DemonstrationRevolution.h"
#include "analysis/ModeSummary.h"
#include "geometry/Mechanism.h"
#include "api/TableColumns.h"

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

// The window's kinematics for the modes of a list, one worker's share at a time.
class DemonstrationMapJob {
 public:
  DemonstrationMapJob(const MechanismPtr& mechanism, const std::vector<ModeSetting>& modes, int speed)
      : mechanism_(mechanism), modes_(&modes), speed_(speed), model_(std::make_unique<DemonstrationModel>(mechanism)) {}
  const MechanismPtr& Mechanism() const { return mechanism_; }
  ModeResult operator()(std::size_t index);
  // The frames of the mode computed last.
  const DemonstrationRevolution& LastRevolution() const { return revolution_; }

 private:
  MechanismPtr mechanism_;
  const std::vector<ModeSetting>* modes_;
  int speed_;
  std::unique_ptr<DemonstrationModel> model_;
  DemonstrationRevolution revolution_;
};

// The map's columns, crank positions measured from origin.
CsvColumns<ModeResult> ModeMapColumns(const CrankOrigin& origin = {});
