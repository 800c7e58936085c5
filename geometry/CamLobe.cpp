#include "geometry/CamLobe.h"

CamLobe CamLobeOf(const CamDesign& cam) {
  CamLobe lobe;
  lobe.law = cam.lobe.law;
  lobe.baseRadius = cam.baseRadiusMm;
  lobe.liftHalf = cam.lobe.liftMm / 2;
  lobe.startStep = cam.lobe.startCamDeg * kCamStepsPerDeg;
  lobe.steps = cam.lobe.spanCamDeg * kCamStepsPerDeg;
  lobe.exponent = cam.lobe.exponent;
  lobe.rampHeight = cam.lobe.rampHeightMm;
  lobe.rampSteps = cam.lobe.rampLengthCamDeg * kCamStepsPerDeg;
  return lobe;
}
