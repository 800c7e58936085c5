#pragma once

#include "geometry/Mechanism.h"
#include "geometry/MechanismConstants.h"
#include "geometry/WindowTables.h"

// All working state of the start-up and of the animation loop: the mechanism it runs
// (whose tables every state of it shares), previous-frame positions. Allocated once,
// before the first frame; every value starts at 0. Nothing is allocated while the
// animation runs.
struct AnimationState {
  MechanismPtr mechanism = WindowMechanism();
  MechanismConstants constants;
  const WindowTables* tables = nullptr;  // the mechanism's, once made ready to run

  // Refilled every frame.
  PitchTable camPitchX{};
  PitchTable camPitchY{};
  LeverTable leverCurveNowX{};
  LeverTable leverCurveNowY{};

  // Loop.
  double camAngle = 0;
  double camAngleRad = 0;
  double camCos = 0;
  double camSin = 0;
  double prevCamCos = 0;
  double prevCamSin = 0;
  double leverAngle = 0;
  double seenScroll1 = 0;
  double seenScroll2 = 0;
  double eccentricDeg = 0;
  double eccentricX = 0;
  double eccentricY = 0;
  long revolution = 0;  // revolutions that have started frames, for observers

  // Contact search.
  double bestDistSq = 0;
  int bestPitchIndex = 0;
  int bestLeverIndex = 0;
  double rollerX = 0;
  double rollerY = 0;
  double prevRollerX = 0;
  double prevRollerY = 0;

  // Linkage.
  double eccentricDir = 0;
  double prevX = 0;
  double prevY = 0;
  double valveY = 0;
  double prevValveY = 0;
  double cornerDir = 0;
  double cornerNowX = 0;
  double cornerNowY = 0;
  double flankDir = 0;
  double flankDist = 0;
  double flankNowX = 0;
  double flankNowY = 0;

  // Lift plot.
  double prevPlotAngle = 0;

  bool leverCurveTurned = false;  // leverCurveNow holds the curve turned by turnedLeverAngle
  double turnedLeverAngle = 0;
};
