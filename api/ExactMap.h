#pragma once

#include <optional>
#include <vector>

#include "api/ModeMap.h"
#include "analysis/ModeSummary.h"

// A row of the map with the exact kinematics beside the window's: the same summary
// from the exact lift at the window's frame angles, and how far the two lifts differ.
struct ExactModeResult {
  ModeResult demonstration;
  ModeSummary exact;
  int exactMissingFrames = 0;  // frames where the exact model has no position
  std::optional<double> maxDifferenceMm;  // largest |window lift - exact lift| over the frames
  std::optional<double> maxDifferenceAtCrankDeg;
};

class ExactMapJob {
 public:
  ExactMapJob(const MechanismPtr& mechanism, const std::vector<ModeSetting>& modes, int speed)
      : modes_(&modes), demonstration_(mechanism, modes, speed) {}
  const MechanismPtr& Mechanism() const { return demonstration_.Mechanism(); }
  ExactModeResult operator()(std::size_t index);

 private:
  const std::vector<ModeSetting>* modes_;
  DemonstrationMapJob demonstration_;
};

// The map's columns, then the exact summary's (prefixed exact_) and the difference's.
CsvColumns<ExactModeResult> ExactMapColumns(const CrankOrigin& origin = {});
