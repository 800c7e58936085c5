#include "analysis/ContactKinematics.h"

#include <cmath>
#include <numbers>

#include "analysis/PlaneVectors.h"

namespace {

constexpr double kMPerMm = 1e-3;
constexpr double kMmPerM = 1e3;

double Dot(Point2 a, Point2 b) { return a.x * b.x + a.y * b.y; }

// The other body's point at p, spinning about centre: k x (p - centre) along the
// tangent, in metres.
double ArmM(Point2 p, Point2 centre, Point2 tangent) {
  const Point2 r = Scaled(Minus(p, centre), kMPerMm);
  return Dot({-r.y, r.x}, tangent);
}

ContactMotion MotionOf(Point2 normal, Point2 roller, double freeRadiusMm, Point2 relativeVelocity, Point2 axis,
                       double centreCurvature) {
  ContactMotion c;
  c.normal = normal;
  // The roller's surface at roller - r n moves at spin k x (-r n) = spin r (n.y, -n.x).
  c.tangent = {normal.y, -normal.x};
  c.pointMm = Minus(roller, Scaled(normal, freeRadiusMm));
  c.centreSpeedMPerS = Dot(relativeVelocity, c.tangent);
  c.armM = ArmM(roller, axis, c.tangent);
  c.centreCurvature = centreCurvature;
  return c;
}

}  // namespace

RollerContacts ContactsOf(const LoadRow& row, double freeRadiusMm, double secondRadiusMm, Point2 camCentre,
                          double rpm) {
  const LoadGeometry& g = row.geometry;
  const BodyMotion& m = row.motion;
  RollerContacts c;
  c.freeRadiusM = freeRadiusMm * kMPerMm;
  c.secondRadiusM = secondRadiusMm * kMPerMm;
  c.camSpinRadPerS = -rpm / 2 * 2 * std::numbers::pi / 60;
  c.contact[kCamContact] =
      MotionOf(g.camNormal, g.roller, freeRadiusMm, m.rollerVelocity, camCentre, g.camPitchCurvature);
  c.contact[kLeverContact] =
      MotionOf(g.leverNormal, g.roller, freeRadiusMm, m.rollerVelocity, g.roller, g.leverCurveCurvature);
  c.contact[kRollerContact] = MotionOf(g.rollerNormal, g.roller, freeRadiusMm, Minus(m.rollerVelocity, m.secondVelocity),
                                       g.second, 1 / (freeRadiusMm + secondRadiusMm));
  return c;
}

double OtherSpin(const RollerContacts& contacts, int which, const Spins& spins) {
  switch (which) {
    case kCamContact: return contacts.camSpinRadPerS;
    case kLeverContact: return 0;
    default: return spins.secondRadPerS;
  }
}

ContactSpeeds SpeedsAt(const RollerContacts& contacts, int which, const Spins& spins) {
  const ContactMotion& c = contacts.contact[which];
  const double other = OtherSpin(contacts, which, spins);
  const double r = contacts.freeRadiusM;
  // The roller's centre as the other body sees it (turning with it), along the tangent;
  // the contact point follows it along the other's surface in the ratio of that surface's
  // radius to the centre curve's.
  const double relative = c.centreSpeedMPerS - other * c.armM;
  const double slip = relative + r * (spins.freeRadPerS - other);
  const double pointShare = 1 - r * kMmPerM * c.centreCurvature;
  return {slip, -pointShare * relative + slip / 2};
}

double RollingFreeSpin(const RollerContacts& contacts, int which, const Spins& spins) {
  const ContactMotion& c = contacts.contact[which];
  const double other = OtherSpin(contacts, which, spins);
  return other - (c.centreSpeedMPerS - other * c.armM) / contacts.freeRadiusM;
}

double RollingSecondSpin(const RollerContacts& contacts, double freeRadPerS) {
  // slip = speed - spin arm + r (free - spin) = 0; the arm is -(r + r2).
  const ContactMotion& c = contacts.contact[kRollerContact];
  return (c.centreSpeedMPerS + contacts.freeRadiusM * freeRadPerS) / (c.armM + contacts.freeRadiusM);
}

double SurfaceCurvature(const RollerContacts& contacts, int which) {
  const double k = contacts.contact[which].centreCurvature;
  return k / (1 - contacts.freeRadiusM * kMmPerM * k);
}
