#pragma once

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/AtCrank.h"
#include "analysis/CrankPlaces.h"
#include "analysis/FrictionParameters.h"
#include "analysis/LubricantFilm.h"
#include "analysis/RollerSpin.h"
#include "analysis/ValveLoads.h"

// The friction layer over a mode's cycle: on each row's contact kinematics, the
// rollers' spins (periodic, or quasi-static without inertia), each contact's slip and
// entrainment, friction's forces in the chain's balance (the rows' forces and torques
// become the frictional ones), the power friction turns into heat and each line
// contact's oil film. The separation speed, the contact-loss speeds and the return
// spring a row reports stay the frictionless model's.
struct ContactFriction {
  double slipMPerS = 0;          // the free roller's surface less the other's, along the contact's tangent
  double entrainmentMPerS = 0;   // mean surface speed relative to the contact point
  double frictionN = 0;          // mu N on the free roller, signed against the slip
  double powerW = 0;             // mu N slip
  std::optional<FilmThickness> film;  // where the contact carries load
};

struct FrictionRow {
  bool evaluated = false;  // a position with a balance and its motion
  Spins spins;
  std::array<ContactFriction, 3> contact{};
  double powerW = 0;
  // What friction adds to each shaft's torque (N m, the senses of LoadRow's).
  double camshaftTorqueNm = 0;
  double greenTorqueNm = 0;
  double orangeTorqueNm = 0;
  SpinTorques spinTorques;  // friction's torque on each roller's spin
};

struct FrictionalLoadRow {
  LoadRow loads;
  FrictionRow friction;
};

struct FrictionCycle {
  std::vector<FrictionalLoadRow> rows;
  SpinInertia inertia;
  int cycles = 0;         // integrated for the periodic spins; 0 without inertia
  bool periodic = true;   // the spins repeat after a cycle
  // With inertia, the cycle's mean powers as integrated with the spins.
  std::optional<double> meanHeatW;
  std::optional<double> meanCamshaftW;
};

// The rows at the places (which must cover one cycle in crank order, as CrankPlaces
// gives them). A spinning roller's moment of inertia is a solid roller's, 1/2 m r^2, of
// its mass in parameters.bodies and its radius. What each row takes on its own (its
// kinematics and balance, its quasi-static spins, its frictional forces) runs through
// forEachRow, and so do the stretches of the cycle the spins' periodic state is solved
// on (two, where the rows are fine).
FrictionCycle FrictionCycleAt(const ExactKinematics& model, const LoadParameters& parameters,
                              const FrictionParameters& friction, const std::vector<CrankPlace>& places,
                              SeatedRows seatedRows = SeatedRows::Full, const ForEachRow& forEachRow = EachRowInTurn);

// A mode's friction in a few numbers: the cycle's mean power (integrated with the spins
// where they have inertia, else over the evenly spaced rows) and its peak; the fastest slip of a loaded contact and the
// thinnest film ratio of one, where and which (RollerContact); the contact that turns
// most energy into heat over the cycle.
struct FrictionSummary {
  std::optional<double> meanPowerW;
  std::optional<AtCrank> peakPowerW;
  std::optional<AtCrank> peakSlipMPerS;
  int peakSlipContact = -1;
  std::optional<AtCrank> minFilmRatio;
  int minFilmContact = -1;
  int slidingContact = -1;
  bool periodic = true;
};
FrictionSummary SummariseFriction(const FrictionCycle& cycle);

// "cam", "lever", "roller"; empty for none (-1).
std::string RollerContactName(int which);
