#pragma once

#include "analysis/BodyMasses.h"

// What the load analysis needs beyond the mechanism's geometry. The defaults are those
// of an intake valve of a 1.6-litre, 16-valve passenger-car engine (the README says
// why): a 5.5 mm-stem valve with retainer and keepers, a single linear spring, steel
// rollers and cam.
struct LoadParameters {
  double rpm = 6000;               // engine speed; the cam turns at half of it
  double springRateNPerMm = 35;    // valve spring rate
  double springPreloadN = 210;     // spring force with the valve shut
  double movingMassG = 75;         // valve, retainer, keepers, rod and a third of the spring
  double rollerWidthMm = 8;        // length of each line contact
  double youngsModulusGPa = 210;   // all contacting parts: steel
  double poisson = 0.3;
  BodyMasses bodies{};        // all zero: massless links and rollers
  double returnSpringN = 0;   // pressing the free roller into cam and lever at once
  // The bodies' motion in every row even without masses (the friction layer's input);
  // it changes no force.
  bool bodyMotion = false;
};

// Ranges the tools accept: wide enough for any real valve train, narrow enough that
// every figure stays a finite number.
inline constexpr double kMaxLoadRpm = 100000;
inline constexpr double kMaxSpringRateNPerMm = 1000;
inline constexpr double kMaxSpringPreloadN = 100000;
inline constexpr double kMaxMovingMassG = 10000;
inline constexpr double kMaxRollerWidthMm = 1000;
inline constexpr double kMaxYoungsModulusGPa = 10000;
inline constexpr double kMaxPoisson = 0.5;  // the limit of an incompressible solid
inline constexpr double kMaxReturnSpringN = 100000;
