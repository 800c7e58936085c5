#include "analysis/DemonstrationRevolution.h"

#include "animation/AnimationState.h"
#include "animation/FrameKinematics.h"
#include "animation/FrameSchedule.h"
#include "animation/LeverTurning.h"
#include "animation/Linkage.h"
#include "animation/ReadyToRun.h"
#include "animation/WindowVariables.h"

std::vector<LiftSample> DemonstrationRevolution::LiftCurve() const {
  std::vector<LiftSample> curve;
  curve.reserve(frames.size());
  for (const DemonstrationFrame& frame : frames) {
    if (frame.solved) curve.push_back({2 * frame.camAngle, -(frame.valveY - valveSeatY)});
  }
  return curve;
}

DemonstrationModel::DemonstrationModel(MechanismPtr mechanism)
    : state_(ReadyToRunState(std::move(mechanism))) {}

DemonstrationModel::~DemonstrationModel() = default;

void DemonstrationModel::Run(ModeSetting mode, int speed, DemonstrationRevolution& revolution) {
  AnimationState& s = *state_;
  WindowVariables vars;
  SetControlShafts(s, mode.lever, mode.eccentric);
  // In the window the previous revolution left the lever turned to this angle.
  TurnLeverCurve(s);

  revolution.leverAngleRad = s.leverAngle;
  revolution.eccentricDeg = s.eccentricDeg;
  revolution.valveSeatY = s.mechanism->Linkage().valveSeatY;
  revolution.frames.clear();
  revolution.unsolvedFrames = 0;

  // The frames of a revolution as the loop counts them. The search turns only the
  // pitch entries it reads, to the values the whole turned curve would hold.
  for (const double camAngle : RevolutionCamAngles(FrameStepCamDeg(speed))) {
    s.camAngle = camAngle;
    s.camAngleRad = CamRadians(camAngle, s.constants);
    const Pose pose = FrameKinematics(s, vars, PitchTurning::OnDemand);
    if (!pose.solved) ++revolution.unsolvedFrames;
    revolution.frames.push_back({s.camAngle, s.bestPitchIndex, s.bestLeverIndex, pose.rollerX,
                                 pose.rollerY, pose.X, pose.Y, pose.valveY, pose.solved,
                                 s.bestDistSq});
  }
}
