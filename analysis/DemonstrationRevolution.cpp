#include "analysis/DemonstrationRevolution.h"

#include "animation/AnimationState.h"
#include "animation/ContactSearch.h"
#include "animation/LeverTurning.h"
#include "animation/Linkage.h"
#include "animation/PitchRotation.h"
#include "animation/WindowVariables.h"

std::vector<LiftSample> DemonstrationRevolution::LiftCurve() const {
  std::vector<LiftSample> curve;
  curve.reserve(frames.size());
  for (const DemonstrationFrame& frame : frames) {
    if (frame.solved) curve.push_back({2 * frame.camAngle, -frame.valveY});
  }
  return curve;
}

DemonstrationModel::DemonstrationModel() : state_(std::make_unique<AnimationState>()) {
  state_->constants = MakeMechanismConstants();
  BuildProfileTables(state_->constants, state_->tables);
  PreparePitchRotation(*state_);
  PrepareLeverTurning(*state_);
}

DemonstrationModel::~DemonstrationModel() = default;

void DemonstrationModel::Run(ModeSetting mode, int speed, DemonstrationRevolution& revolution) {
  AnimationState& s = *state_;
  WindowVariables vars;
  SetControlShafts(s, mode.lever, mode.eccentric);
  // In the window the previous revolution left the lever curve turned to this angle.
  TurnLeverCurve(s);

  revolution.leverAngleRad = s.leverAngle;
  revolution.eccentricDeg = s.eccentricDeg;
  revolution.frames.clear();
  revolution.unsolvedFrames = 0;

  // The frames of a revolution as the loop counts them. The search turns only the
  // pitch entries it reads, to the values the whole turned curve would hold. The
  // shaft arc's direction and the lever's arc centres are left out: they place drawn
  // parts only.
  const double step = speed / 100.0;
  for (s.camAngle = 0; s.camAngle <= 359; s.camAngle += step) {
    s.camAngleRad = s.camAngle * s.constants.pi / 180;
    RunContactSearchTurningOnDemand(s);
    const bool solved = SolveSecondRollerAndValve(s, vars);
    TurnLeverCurve(s);
    if (!solved) ++revolution.unsolvedFrames;
    revolution.frames.push_back({s.camAngle, s.bestPitchIndex, s.bestLeverIndex, s.rollerX,
                                 s.rollerY, vars.X, vars.Y, s.valveY, solved, s.bestDistSq});
  }
}
