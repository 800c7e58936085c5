#include "analysis/DemonstrationRevolution.h"

#include <memory>

#include "animation/AnimationState.h"
#include "animation/ContactSearch.h"
#include "animation/LeverTurning.h"
#include "animation/Linkage.h"
#include "animation/PitchRotation.h"
#include "animation/WindowVariables.h"

std::vector<DemonstrationFrame> DemonstrationRevolution(int leverValue, int eccentricValue,
                                                        int speedValue) {
  auto state = std::make_unique<AnimationState>();
  AnimationState& s = *state;
  s.constants = MakeMechanismConstants();
  BuildProfileTables(s.constants, s.tables);
  PreparePitchRotation(s);
  PrepareLeverTurning(s);
  SetControlShafts(s, leverValue, eccentricValue);
  TurnLeverCurve(s);  // as the revolution before left it

  WindowVariables vars;
  std::vector<DemonstrationFrame> frames;
  const double step = speedValue / 100.0;
  for (s.camAngle = 0; s.camAngle <= 359; s.camAngle += step) {
    s.camAngleRad = s.camAngle * s.constants.pi / 180;
    RotatePitchCurve(s);
    RunContactSearch(s);
    DemonstrationFrame frame;
    frame.crankDeg = 2 * s.camAngle;
    if (SolveSecondRollerAndValve(s, vars)) frame.lift = -s.valveY;
    frame.rollerX = s.rollerX;
    frame.rollerY = s.rollerY;
    frame.bestPitchIndex = s.bestPitchIndex;
    frame.bestLeverIndex = s.bestLeverIndex;
    frame.bestDistSq = s.bestDistSq;
    TurnLeverCurve(s);
    frames.push_back(frame);
  }
  return frames;
}
