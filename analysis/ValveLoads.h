#pragma once

#include <optional>

#include "analysis/ExactKinematics.h"
#include "analysis/LoadParameters.h"

// The forces in the valve train at one crank angle, from the exact kinematics.
//
// The model: planar and rigid; joints and contacts without friction; no gravity.
// Quasi-static, except one equivalent reciprocating mass at the valve whose inertia
// force is m a, a being the valve's exact acceleration at the engine speed. The spring
// is linear; the chain pushes the valve with spring force + m a. The rod and the link
// are two-force members (the valve guide takes the rod's side component); the second
// roller's centre is the joint of link, rod and the roller-to-roller contact; the free
// roller is held by three forces through its centre along the contact normals (the
// cam's pitch-curve normal, the lever curve's normal, the line of the two centres).
// While the free roller runs on the lever's pivot arc the valve sits on its seat: the
// seat holds the spring and the chain carries nothing.

struct Point2 {
  double x = 0;
  double y = 0;
};

// Where the forces act and along which lines: for drawings and checks.
struct LoadGeometry {
  Point2 roller;          // free roller centre
  Point2 second;          // second roller centre
  Point2 eccentric;       // eccentric centre
  Point2 valvePin;        // on the valve axis x = 0
  Point2 leverArcCentre;  // centre of the lever arc the free roller runs on
  Point2 camNormal;       // unit: the cam's push on the free roller
  Point2 leverNormal;     // unit: the lever's push on the free roller
  Point2 rollerNormal;    // unit: the second roller's push on the free roller
  // The curvatures (1/mm) of the curves the free roller's centre runs on, positive where
  // the surface under the roller is convex: the cam's pitch curve and the lever's curve.
  double camPitchCurvature = 0;
  double leverCurveCurvature = 0;
};

// How the moving bodies move: the free roller's centre, the second roller's centre
// (the joint of link and rod) and the valve pin, in SI units.
struct BodyMotion {
  Point2 rollerVelocity;  // m/s
  Point2 rollerAcceleration;  // m/s^2
  Point2 secondVelocity;
  Point2 secondAcceleration;
  Point2 pinVelocity;
  Point2 pinAcceleration;
};

// Contacts that would have to pull to hold the mechanism: lost.
enum LostContact : unsigned {
  kCamContactLost = 1,
  kLeverContactLost = 2,
  kRollerContactLost = 4,
  kValveContactLost = 8,  // the valve leaves the chain
};

struct LoadRow {
  double crankDeg = 0;
  // -1 and +1: the two sides of a crank angle where a curvature jumps (the values are
  // the limits from below and from above); 0 elsewhere.
  int side = 0;
  ExactOutcome outcome = ExactOutcome::NoCrossing;
  bool determinate = false;  // a position, and the forces on it have one solution
  bool seated = false;       // the valve on its seat: the chain carries nothing

  double liftMm = 0;
  double velocityMmPerDeg = 0;   // by crank angle
  double accelerationMPerS2 = 0;  // by time, at the engine speed

  double springForceN = 0;
  double inertiaForceN = 0;  // m a, in the opening sense
  double valveForceN = 0;    // what the chain pushes on the valve: spring + inertia
  double rodForceN = 0;      // compression
  double guideForceN = 0;    // the guide's side push on the valve, towards +x
  double camContactN = 0;    // compression at each contact
  double leverContactN = 0;
  double rollerContactN = 0;
  double linkForceN = 0;  // compression

  double camHertzMPa = 0;
  double leverHertzMPa = 0;
  double rollerHertzMPa = 0;

  // Between the cam's contact normal and the free roller centre's velocity; none where
  // the roller stands still.
  std::optional<double> pressureAngleDeg;
  std::optional<double> camRadiusMm;  // of the cam's surface, negative where concave; none where flat
  bool undercut = false;

  // The torque each shaft must exert, N m; positive turns it the way it turns (the
  // camshaft) or the way its bar's value grows (green: the lever, orange: the
  // eccentric, both about the pivot).
  double camshaftTorqueNm = 0;
  double greenTorqueNm = 0;
  double orangeTorqueNm = 0;

  bool separated = false;  // the valve force is negative: the valve leaves the cam
  unsigned lost = 0;       // LostContact bits, while the valve is held
  // The engine speed at which the valve force falls to zero here; none where the
  // valve is seated or not decelerating.
  std::optional<double> separationRpm;
  // With the bodies' masses, while the valve moves: the engine speed at which the first
  // contact here (LostContact bits, the valve's included) would have to pull. Every
  // inertial force grows with the square of the speed, the springs' do not.
  std::optional<double> contactLossRpm;
  unsigned contactLossWhich = 0;
  // With the bodies' masses, while the valve rests: the return spring the free roller
  // needs here so that neither cam nor lever has to pull it (0 if none); none where no
  // spring can (cam and lever facing each other).
  std::optional<double> returnSpringNeededN;

  LoadGeometry geometry;
  BodyMotion motion;  // with the bodies' masses (or a return spring), or where asked for, only
};

// How much a row with the valve on its seat gets: everything, or (for summaries, which
// take pressure angles and cam radii only where the cam carries the valve) only the
// position, which is most of a cycle and saves the cam's geometry there.
enum class SeatedRows { Full, Brief };

// The loads at one crank angle. side only labels the row; arc, where given, is the
// lever arc whose curvature the derivatives take (at a hand-over, the one on that side).
LoadRow LoadsAt(const ExactKinematics& model, const LoadParameters& parameters, double crankDeg,
                int side = 0, std::optional<int> arc = std::nullopt, SeatedRows seatedRows = SeatedRows::Full);

// The lift's derivatives by the two control shafts' angles (mm per radian, positive
// the way each bar's value grows) at one crank angle, by automatic differentiation
// through the crossing and the linkage; none where there is no position.
struct ShaftLiftSlopes {
  double greenMmPerRad = 0;
  double orangeMmPerRad = 0;
};
std::optional<ShaftLiftSlopes> LiftSlopesByShafts(const ExactKinematics& model, double crankDeg);
