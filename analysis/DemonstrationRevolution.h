#pragma once

#include <memory>
#include <vector>

#include "analysis/ModeSetting.h"
#include "analysis/ModeSummary.h"
#include "geometry/Mechanism.h"

struct AnimationState;

// One frame of a steady revolution, as the window computes it.
struct DemonstrationFrame {
  double camAngle = 0;  // degrees
  int bestPitchIndex = 0;
  int bestLeverIndex = 0;
  double rollerX = 0;
  double rollerY = 0;
  double X = 0;  // second roller centre
  double Y = 0;
  double valveY = 0;
  // False where the linkage has no solution: the window then keeps the previous
  // frame's second roller and valve, so X, Y and valveY are not this frame's.
  bool solved = false;
  double bestDistSq = 0;  // squared distance of the search's nearest pair
};

// A steady revolution at one mode.
struct DemonstrationRevolution {
  double leverAngleRad = 0;
  double eccentricDeg = 0;
  std::vector<DemonstrationFrame> frames;
  int unsolvedFrames = 0;
  double valveSeatY = 0;  // the height the lift is counted from

  // The lift (seat - valveY) against crank angle (twice the cam angle) of the solved frames.
  std::vector<LiftSample> LiftCurve() const;
};

// The window's own kinematics (the pitch rotation, contact search, linkage and lever
// turning of the animation loop, in the loop's order) for any mode, without drawing
// and without the window's start-up transient: every revolution is the one the
// window shows once the mode has run for a revolution. Holds its working tables;
// one per thread.
class DemonstrationModel {
 public:
  explicit DemonstrationModel(MechanismPtr mechanism = WindowMechanism());
  ~DemonstrationModel();
  DemonstrationModel(const DemonstrationModel&) = delete;
  DemonstrationModel& operator=(const DemonstrationModel&) = delete;

  // The frames at cam angles 0, step, 2 step, ... up to 359, the step being
  // speed / 100 degrees as HScroll1 gives it. Reuses revolution.frames' storage.
  void Run(ModeSetting mode, int speed, DemonstrationRevolution& revolution);

 private:
  std::unique_ptr<AnimationState> state_;
};
