#pragma once

#include <cmath>
#include <optional>

#include "animation/AnimationState.h"
#include "animation/WindowVariables.h"
#include "geometry/TriangleApex.h"

// The linkage placed each frame from the free roller: the eccentric of the orange
// control shaft, the second roller (X, Y, fff), the valve pin on the valve axis, and
// the lever's arc centres turned by leverAngle. The lengths are the mechanism's.

// Where the two control shafts stand for a pair of scroll-bar values. The window's bars
// are whole numbers; the analysis also takes positions between them.
struct ControlShaftPose {
  double leverAngle = 0;    // radians: the lever curve's turn about the pivot
  double eccentricDeg = 0;  // degrees
  double eccentricX = 0;    // eccentric centre, the eccentric radius from the lever pivot
  double eccentricY = 0;
};
ControlShaftPose ControlShaftsFor(const Mechanism& mechanism, double scroll1Value,
                                  double scroll2Value);

// The control-shaft settings a revolution runs with: leverAngle from VScroll1's
// value, eccentricDeg and the eccentric centre from VScroll2's value.
void SetControlShafts(AnimationState& state, int scroll1Value, int scroll2Value);

// The second roller (X, Y, fff) and the valve pin's height for a free roller centre.
template <class Number>
struct SecondRollerAndValveOf {
  ApexOf<Number> secondRoller;
  Number valveY = Number(0);
};

// The construction itself, for plain numbers and for numbers that carry derivatives:
// the point a link length from the eccentric centre and the roller spacing from the
// free roller, taken from the first solver branch unless that lands right of the
// branch limit, and the valve pin a rod length below it on the valve axis. No value
// where a triangle does not close or the rod cannot reach the valve axis.
template <class Number>
std::optional<SecondRollerAndValveOf<Number>> PlaceSecondRollerAndValve(
    const LinkageDimensions& d, const Number& eccentricX, const Number& eccentricY,
    const Number& rollerX, const Number& rollerY) {
  using std::sqrt;
  std::optional<ApexOf<Number>> apex = SolveTriangleApex(
      eccentricX, eccentricY, rollerX, rollerY, d.linkLength, d.rollerSpacing, +1);
  // The test is on the first branch's x against the branch limit: where it passes, the
  // construction taken from the roller towards the eccentric gives the wanted side.
  if (apex && static_cast<double>(apex->X) > d.branchLimit) {
    apex = SolveTriangleApex(rollerX, rollerY, eccentricX, eccentricY, d.rollerSpacing,
                             d.linkLength, -1);
  }
  if (!apex) return std::nullopt;
  const Number fromAxis = apex->X - d.valveAxisX;
  if (!(std::abs(static_cast<double>(fromAxis)) <= d.rodLength)) return std::nullopt;
  SecondRollerAndValveOf<Number> placed;
  placed.secondRoller = *apex;
  // The lower of the two points of the valve axis at rod length from the roller.
  placed.valveY = apex->Y - sqrt(d.rodLength * d.rodLength - fromAxis * fromAxis);
  return placed;
}

// Direction from the lever pivot to the eccentric centre, in radians.
void ComputeEccentricDirection(AnimationState& state);

// The second roller and the valve pin, placed as above. Moves valveY to prevValveY first. Where the
// construction has no solution, or the roller lies more than 20 from the valve axis
// so that the rod cannot reach it, X, Y, fff and valveY keep the previous frame's
// values: nothing not-a-number is ever produced. Returns whether a new position was
// found.
bool SolveSecondRollerAndValve(AnimationState& state, WindowVariables& vars);

// The corner and flank arc centres turned about the pivot by leverAngle.
void TurnArcCentres(AnimationState& state);
