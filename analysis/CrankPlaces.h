#pragma once

#include <vector>

#include "analysis/ExactKinematics.h"

// Where a mode's rows stand: each given crank angle, and two rows (the values from
// below and from above) at each crank angle where a curvature jumps, in crank order.
struct CrankPlace {
  double crankDeg = 0;
  int side = 0;  // -1, +1 at a jump
  int arc = -1;  // at a hand-over, the lever arc of this side; else -1
};
std::vector<CrankPlace> CrankPlaces(const ExactKinematics& model, const std::vector<double>& crankAngles);

// The crank angle at which a place's values are taken: at a join of the cam's lobe and
// base circle a hair to its side, so that the cam's own piece there decides; the
// place's own elsewhere (at a hand-over its arc decides).
double EvaluatedCrankDeg(const CrankPlace& place);

// Lift and its derivatives at a place: from its side of a jump.
ExactSvaj SvajAt(const ExactKinematics& model, const CrankPlace& place);
