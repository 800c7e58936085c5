#include "api/SvajStudy.h"

SvajPlan PlanSvaj(const MechanismPtr& mechanism, ShaftPositions mode, double stepDeg, int windowSpeed) {
  SvajPlan plan{ExactKinematics(mechanism, mode.lever, mode.eccentric), {}, {}};
  if (const std::optional<ModeSetting> setting = mode.WindowSetting()) {
    DemonstrationModel(mechanism).Run(*setting, windowSpeed, plan.window);
  }
  plan.places = CrankPlaces(plan.model, SvajAngles(stepDeg, plan.window));
  return plan;
}
