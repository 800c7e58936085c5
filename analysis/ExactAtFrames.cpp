#include "analysis/ExactAtFrames.h"

#include <cmath>

ExactAtFrames ExactLiftAtFrames(const ExactKinematics& model, const DemonstrationRevolution& window) {
  ExactAtFrames result;
  result.curve.reserve(window.frames.size());
  double largest = -1;
  for (const DemonstrationFrame& frame : window.frames) {
    const double crank = 2 * frame.camAngle;
    const ExactPose pose = model.PoseAt(crank);
    if (pose.outcome != ExactOutcome::Placed) {
      ++result.missingFrames;
      continue;
    }
    result.curve.push_back({crank, model.LiftOf(pose.valveY)});
    if (!frame.solved) continue;
    const double difference = std::abs(frame.valveY - pose.valveY);
    if (difference > largest) {
      largest = difference;
      result.maxDifferenceMm = difference;
      result.maxDifferenceAtCrankDeg = crank;
    }
  }
  return result;
}
