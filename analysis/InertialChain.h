#pragma once

#include <array>
#include <optional>

#include "analysis/BodyMasses.h"
#include "analysis/ValveLoads.h"

// The chain's forces with every body's mass (d'Alembert): the valve (its equivalent
// mass already in the valve force), the rod and the link as uniform bars (the link
// turns about the eccentric, which stands still during a cycle), the second roller
// with its pin at the joint of both, and the free roller between cam, lever and second
// roller. Frictionless, so the rollers' spin takes no torque. A return spring may press
// the free roller into cam and lever at once. Positions in mm; velocities and
// accelerations in SI units.
struct ChainForces {
  double camN = 0;  // compression at each contact
  double leverN = 0;
  double rollerN = 0;
  double linkN = 0;  // compression along the link
  double rodN = 0;   // compression along the rod, at the valve
  double guideN = 0;  // the guide's side push on the valve, towards +x
  Point2 onEccentric;  // what the link pushes on the eccentric
};

// seated: the valve on its seat; the chain carries nothing and only the free roller
// moves (the second roller stays on the pivot, the roller contact unloaded).
std::optional<ChainForces> SolveInertialChain(const LoadGeometry& g, const BodyMotion& motion,
                                              const BodyMasses& masses, double valveForceN,
                                              double returnSpringN, bool seated);

// What each contact pushes on the free roller per newton of its normal force: the
// normal itself without friction; with friction the normal less its share along the
// slip (the other body's friction on the roller).
struct ContactLines {
  Point2 cam;
  Point2 lever;
  Point2 roller;
};
// The same balance with the contacts' forces along those lines; the forces it returns
// are the normal forces.
std::optional<ChainForces> SolveInertialChain(const LoadGeometry& g, const ContactLines& lines,
                                              const BodyMotion& motion, const BodyMasses& masses,
                                              double valveForceN, double returnSpringN, bool seated);

// The balance prepared for many contact lines at one position: what does not depend on
// them (the bodies' inertia, the rod, the link's turning) is worked out once, so that
// friction's changing lines cost two small solves each.
class InertialBalance {
 public:
  static std::optional<InertialBalance> Of(const LoadGeometry& g, const BodyMotion& motion, const BodyMasses& masses,
                                           double valveForceN, double returnSpringN, bool seated);
  std::optional<ChainForces> With(const ContactLines& lines) const;
  // How the normal forces of a balance With(lines) change as each line n - mu t turns
  // with its coefficient mu: [force][line], cam, lever, roller; the tangents t given.
  std::array<std::array<double, 3>, 3> NormalSlopes(const ContactLines& lines, const ContactLines& tangents,
                                                    const ChainForces& forces) const;

 private:
  ChainForces known_;  // rod and guide
  Point2 onFree_;      // the free roller's inertia less the return spring
  Point2 jointRest_;   // what the link's length and the roller contact must carry at the joint
  Point2 along_;
  Point2 across_;
  double transverse_ = 0;
  Point2 linkInertia_;
  bool seated_ = false;
};

// The direction the return spring pushes the free roller: against the sum of the cam's
// and the lever's normals, so that it adds the same to both contacts' forces.
Point2 ReturnSpringDirection(const LoadGeometry& g);
