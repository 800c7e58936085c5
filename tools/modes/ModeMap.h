#pragma once

#include <string>
#include <vector>

#include "ModeMapRow.h"
#include "ModesOptions.h"
#include "analysis/DemonstrationRevolution.h"

// Every mode of the grid, lever by lever and, within a lever value, eccentric by
// eccentric.
std::vector<ModeSetting> GridModes(const ModesOptions& options);

// The window's kinematics for the modes of a list, one worker's share at a time.
class DemonstrationMapJob {
 public:
  DemonstrationMapJob(const std::vector<ModeSetting>& modes, int speed) : modes_(&modes), speed_(speed) {}
  ModeResult operator()(std::size_t index);
  // The frames of the mode computed last.
  const DemonstrationRevolution& LastRevolution() const { return revolution_; }

 private:
  const std::vector<ModeSetting>* modes_;
  int speed_;
  std::unique_ptr<DemonstrationModel> model_ = std::make_unique<DemonstrationModel>();
  DemonstrationRevolution revolution_;
};
