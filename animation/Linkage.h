#pragma once

#include <cmath>
#include <optional>

#include "animation/AnimationState.h"
#include "animation/WindowVariables.h"
#include "geometry/TriangleApex.h"

// The linkage placed each frame from the free roller: the eccentric of the orange
// control shaft, the second roller (X, Y, fff), the valve pin on the axis x = 0, and
// the lever's arc centres turned by leverAngle.

inline constexpr double kEccentricRadius = 20;
inline constexpr double kLinkLength = 20;      // eccentric centre to second roller
inline constexpr double kRollerSpacing = 19;   // free roller to second roller: two radii 9.5
inline constexpr double kRodLength = 20;       // second roller to valve pin
inline constexpr double kBranchLimit = 20;     // x above which the other solver branch serves

// Where the two control shafts stand for a pair of scroll-bar values. The window's bars
// are whole numbers; the analysis also takes positions between them.
struct ControlShaftPose {
  double leverAngle = 0;    // radians: the lever curve's turn about the pivot
  double eccentricDeg = 0;  // degrees
  double eccentricX = 0;    // eccentric centre, 20 from the lever pivot
  double eccentricY = 0;
};
ControlShaftPose ControlShaftsFor(const MechanismConstants& constants, double scroll1Value,
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
// the point 20 from the eccentric centre and 19 from the free roller, taken from the
// first solver branch unless that lands right of x = 20, and the valve pin 20 below
// it on x = 0. No value where a triangle does not close or the rod cannot reach the
// valve axis.
template <class Number>
std::optional<SecondRollerAndValveOf<Number>> PlaceSecondRollerAndValve(
    const Number& eccentricX, const Number& eccentricY, const Number& rollerX,
    const Number& rollerY) {
  using std::sqrt;
  std::optional<ApexOf<Number>> apex = SolveTriangleApex(
      eccentricX, eccentricY, rollerX, rollerY, kLinkLength, kRollerSpacing, +1);
  // The test is on the first branch's x against the number 20: where it passes, the
  // construction taken from the roller towards the eccentric gives the wanted side.
  if (apex && static_cast<double>(apex->X) > kBranchLimit) {
    apex = SolveTriangleApex(rollerX, rollerY, eccentricX, eccentricY, kRollerSpacing,
                             kLinkLength, -1);
  }
  if (!apex || !(std::abs(static_cast<double>(apex->X)) <= kRodLength)) return std::nullopt;
  SecondRollerAndValveOf<Number> placed;
  placed.secondRoller = *apex;
  // The lower of the two points of the valve axis at rod length from the roller.
  placed.valveY = apex->Y - sqrt(kRodLength * kRodLength - apex->X * apex->X);
  return placed;
}

// Direction from the lever pivot to the eccentric centre, in radians.
void ComputeEccentricDirection(AnimationState& state);

// The second roller, 20 from the eccentric centre and 19 from the free roller, and
// the valve pin, 20 below it on x = 0. Moves valveY to prevValveY first. Where the
// construction has no solution, or the roller lies more than 20 from the valve axis
// so that the rod cannot reach it, X, Y, fff and valveY keep the previous frame's
// values: nothing not-a-number is ever produced. Returns whether a new position was
// found.
bool SolveSecondRollerAndValve(AnimationState& state, WindowVariables& vars);

// The corner and flank arc centres turned about the pivot by leverAngle.
void TurnArcCentres(AnimationState& state);
