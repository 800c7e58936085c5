#include "analysis/InertialChain.h"
#include "analysis/PlaneVectors.h"

#include <cmath>

namespace {

constexpr double kKgPerG = 1e-3;
constexpr double kMPerMm = 1e-3;


}  // namespace

Point2 ReturnSpringDirection(const LoadGeometry& g) {
  const Point2 d = Scaled(Plus(g.camNormal, g.leverNormal), -1);
  return Scaled(d, 1 / std::hypot(d.x, d.y));
}

std::optional<ChainForces> SolveInertialChain(const LoadGeometry& g, const BodyMotion& motion,
                                              const BodyMasses& masses, double valveForceN,
                                              double returnSpringN, bool seated) {
  return SolveInertialChain(g, ContactLines{g.camNormal, g.leverNormal, g.rollerNormal}, motion, masses, valveForceN,
                            returnSpringN, seated);
}

std::optional<ChainForces> SolveInertialChain(const LoadGeometry& g, const ContactLines& lines,
                                              const BodyMotion& motion, const BodyMasses& masses,
                                              double valveForceN, double returnSpringN, bool seated) {
  const std::optional<InertialBalance> balance =
      InertialBalance::Of(g, motion, masses, valveForceN, returnSpringN, seated);
  if (!balance) return std::nullopt;
  return balance->With(lines);
}

std::optional<InertialBalance> InertialBalance::Of(const LoadGeometry& g, const BodyMotion& motion,
                                                   const BodyMasses& masses, double valveForceN,
                                                   double returnSpringN, bool seated) {
  InertialBalance b;
  b.seated_ = seated;
  const double freeMass = masses.freeRollerG * kKgPerG;
  // The free roller: cam and lever carry its inertia, the return spring and the
  // second roller's push.
  b.onFree_ = Minus(Scaled(motion.rollerAcceleration, freeMass), Scaled(ReturnSpringDirection(g), returnSpringN));
  if (seated) return b;
  // The rod (a bar from the joint Q to the pin P): the valve takes from it the force
  // F with F.y = -valve force; its x part from the rod's turning balance,
  // cross(Q - P, F) = I alpha - m cross(Q - C, a_C).
  const Point2 q = Scaled(g.second, kMPerMm);
  const Point2 p = Scaled(g.valvePin, kMPerMm);
  const Point2 d = Minus(q, p);
  const double length2 = d.x * d.x + d.y * d.y;
  const double rodMass = masses.rodG * kKgPerG;
  const Point2 centreAcceleration = Scaled(Plus(motion.secondAcceleration, motion.pinAcceleration), 0.5);
  const Point2 relativeAcceleration = Minus(motion.secondAcceleration, motion.pinAcceleration);
  // a_Q - a_P = alpha x d - omega^2 d, so cross(d, a_Q - a_P) = alpha |d|^2.
  const double rodAlpha = Cross(d, relativeAcceleration) / length2;
  const double rodInertia = rodMass * length2 / 12;
  const double turning = rodInertia * rodAlpha - rodMass * Cross(Scaled(d, 0.5), centreAcceleration);
  if (!(d.y > 0)) return std::nullopt;
  const double fy = -valveForceN;
  const double fx = (d.x * fy - turning) / d.y;
  const Point2 rodOnValve = {fx, fy};
  b.known_.guideN = -fx;
  b.known_.rodN = -(rodOnValve.x * d.x + rodOnValve.y * d.y) / std::sqrt(length2);
  // What the joint pushes on the rod: its inertia plus what it passes to the valve.
  const Point2 jointOnRod = Plus(Scaled(centreAcceleration, rodMass), rodOnValve);

  // The link turns about the eccentric: its transverse push on the joint from its
  // turning balance about the eccentric, T |r| = -I_E alpha.
  const Point2 r = Scaled(Minus(g.second, g.eccentric), kMPerMm);
  const double radius = std::hypot(r.x, r.y);
  b.along_ = Scaled(r, 1 / radius);
  b.across_ = {-b.along_.y, b.along_.x};
  const double linkMass = masses.linkG * kKgPerG;
  const double linkAlpha = Cross(r, motion.secondAcceleration) / (radius * radius);
  b.transverse_ = -linkMass * radius * radius / 3 * linkAlpha / radius;

  // The joint: link (F_L along + T across), rod, and the free roller (N_r along
  // -rollerNormal) give its inertia.
  const double secondMass = masses.secondRollerG * kKgPerG;
  b.jointRest_ =
      Minus(Plus(Scaled(motion.secondAcceleration, secondMass), jointOnRod), Scaled(b.across_, b.transverse_));
  b.linkInertia_ = Scaled(motion.secondAcceleration, linkMass / 2);
  return b;
}

std::optional<ChainForces> InertialBalance::With(const ContactLines& lines) const {
  ChainForces f = known_;
  Point2 onFree = onFree_;
  if (!seated_) {
    if (!Decompose(jointRest_, Scaled(lines.roller, -1), along_, f.rollerN, f.linkN)) return std::nullopt;
    // The eccentric holds the link: link on eccentric = -(m a_G + F_L along + T across),
    // the link's centre accelerating half as fast as its end.
    const Point2 eccentricOnLink = Plus(linkInertia_, Plus(Scaled(along_, f.linkN), Scaled(across_, transverse_)));
    f.onEccentric = Scaled(eccentricOnLink, -1);
    onFree = Minus(onFree, Scaled(lines.roller, f.rollerN));
  }
  if (!Decompose(onFree, lines.cam, lines.lever, f.camN, f.leverN)) return std::nullopt;
  return f;
}

std::array<std::array<double, 3>, 3> InertialBalance::NormalSlopes(const ContactLines& lines,
                                                                   const ContactLines& tangents,
                                                                   const ChainForces& forces) const {
  // Differentiating each decomposition p = a first + b second with p, first and second
  // depending on mu: a' first + b' second = p' - a first' - b second', and first' = -t.
  std::array<std::array<double, 3>, 3> d{};
  const auto atFree = [&](Point2 change, int line) {
    double cam = 0;
    double lever = 0;
    if (Decompose(change, lines.cam, lines.lever, cam, lever)) {
      d[0][line] = cam;
      d[1][line] = lever;
    }
  };
  atFree(Scaled(tangents.cam, forces.camN), 0);
  atFree(Scaled(tangents.lever, forces.leverN), 1);
  if (!seated_) {
    double roller = 0;
    double link = 0;
    if (Decompose(Scaled(tangents.roller, -forces.rollerN), Scaled(lines.roller, -1), along_, roller, link)) {
      d[2][2] = roller;
      // onFree = onFree_ - roller line x rollerN
      atFree(Minus(Scaled(tangents.roller, forces.rollerN), Scaled(lines.roller, roller)), 2);
    }
  }
  return d;
}
