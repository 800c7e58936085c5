#pragma once

#include <array>

#include "analysis/ValveLoads.h"

// How the free roller's three contacts move, from a load row's geometry and motion: the
// cam turns about its axis at half the engine speed (clockwise, y up), the lever stands
// still during a cycle, the second roller's centre moves with the joint of link and
// rod. Each roller spins about its own centre; spins are counter-clockwise positive.
enum RollerContact : int { kCamContact = 0, kLeverContact = 1, kRollerContact = 2 };
inline constexpr int kRollerContacts = 3;

struct ContactMotion {
  Point2 normal;   // unit: the other body's push on the free roller
  Point2 tangent;  // unit: where the free roller's surface at the contact goes as it spins counter-clockwise
  Point2 pointMm;  // the contact point
  // The free roller's centre relative to the other body's axis of spin, along the
  // tangent (m/s), and that axis' arm: the other body's point under the roller's
  // centre moves along the tangent at -spin x arm.
  double centreSpeedMPerS = 0;
  double armM = 0;
  // Curvature (1/mm) of the curve the free roller's centre runs on, on the other body,
  // positive where the surface under the roller is convex.
  double centreCurvature = 0;
};

struct RollerContacts {
  std::array<ContactMotion, kRollerContacts> contact;
  double freeRadiusM = 0;
  double secondRadiusM = 0;
  double camSpinRadPerS = 0;  // negative: the cam turns clockwise
};

// A row whose motion is given (with bodies' masses, or LoadParameters::bodyMotion).
RollerContacts ContactsOf(const LoadRow& row, double freeRadiusMm, double secondRadiusMm, Point2 camCentre,
                          double rpm);

struct Spins {
  double freeRadPerS = 0;
  double secondRadPerS = 0;
};

// The spin of the body the free roller touches at a contact: the cam's, none, the
// second roller's.
double OtherSpin(const RollerContacts& contacts, int which, const Spins& spins);

// Slip: the free roller's surface less the other body's, along the tangent (m/s).
// Entrainment: the mean of both surfaces' speeds relative to the moving contact point,
// which carries the oil into the contact.
struct ContactSpeeds {
  double slipMPerS = 0;
  double entrainmentMPerS = 0;
};
ContactSpeeds SpeedsAt(const RollerContacts& contacts, int which, const Spins& spins);

// The spins at which a contact rolls without slip: the free roller's for the other's
// spin given, and the second roller's for the free roller's.
double RollingFreeSpin(const RollerContacts& contacts, int which, const Spins& spins);
double RollingSecondSpin(const RollerContacts& contacts, double freeRadPerS);

// The curvature (1/mm) of the other body's surface under the roller, positive convex.
double SurfaceCurvature(const RollerContacts& contacts, int which);
