#include "analysis/FrictionalChain.h"

#include <array>
#include <cmath>

#include "analysis/PlaneVectors.h"

namespace {

// tanh in one exponential, as the spins' integration asks for it some 200,000 times a
// cycle: beyond |x| = 0.5, e^(-2|x|) lies well away from 1 (no cancellation), and
// beyond 19.1 tanh rounds to 1.
double Tanh(double x) {
  const double a = std::abs(x);
  if (a < 0.5) return std::tanh(x);
  if (a > 19.1) return std::copysign(1.0, x);
  const double e = std::exp(-2 * a);
  return std::copysign((1 - e) / (1 + e), x);
}

}  // namespace

double FrictionCoefficientAt(const FrictionParameters& friction, double slipMPerS) {
  return friction.coefficient * Tanh(slipMPerS / friction.regularisationMPerS);
}

Point2 FrictionalForces::OnFreeRoller(const RollerContacts& contacts, int which) const {
  const ContactMotion& c = contacts.contact[which];
  return Scaled(Minus(c.normal, Scaled(c.tangent, coefficient[which])), NormalN(which));
}

std::optional<FrictionalChain> FrictionalChain::Of(const LoadRow& row, const RollerContacts& contacts,
                                                   const LoadParameters& parameters,
                                                   const FrictionParameters& friction) {
  const std::optional<InertialBalance> balance = InertialBalance::Of(
      row.geometry, row.motion, parameters.bodies, row.valveForceN, parameters.returnSpringN, row.seated);
  if (!balance) return std::nullopt;
  return FrictionalChain(*balance, contacts, friction);
}

std::optional<FrictionalForces> FrictionalChain::At(const Spins& spins, bool slopes) const {
  const RollerContacts& contacts = contacts_;
  FrictionalForces f;
  for (int i = 0; i < kRollerContacts; ++i) {
    f.speeds[i] = SpeedsAt(contacts, i, spins);
    f.coefficient[i] = FrictionCoefficientAt(friction_, f.speeds[i].slipMPerS);
  }
  const auto line = [&](int i) {
    const ContactMotion& c = contacts.contact[i];
    return Minus(c.normal, Scaled(c.tangent, f.coefficient[i]));
  };
  const auto lines = [&] { return ContactLines{line(kCamContact), line(kLeverContact), line(kRollerContact)}; };
  // An open contact takes no friction; opening one changes the others' forces, so the
  // balance is solved again until no contact with friction pulls.
  std::array<bool, kRollerContacts> open{};
  for (int pass = 0; pass <= kRollerContacts; ++pass) {
    const auto chain = balance_.With(lines());
    if (!chain) return std::nullopt;
    f.chain = *chain;
    bool opened = false;
    for (int i = 0; i < kRollerContacts; ++i) {
      if (f.NormalN(i) < 0 && f.coefficient[i] != 0) {
        f.coefficient[i] = 0;
        open[i] = true;
        opened = true;
      }
    }
    if (!opened) break;
  }
  for (int i = 0; i < kRollerContacts; ++i) {
    const double tangential = f.coefficient[i] * f.NormalN(i);  // against the slip, on the free roller
    f.powerW += tangential * f.speeds[i].slipMPerS;
    f.freeSpinTorqueNm -= contacts.freeRadiusM * tangential;
  }
  f.secondSpinTorqueNm = -contacts.secondRadiusM * f.coefficient[kRollerContact] * f.NormalN(kRollerContact);
  if (slopes) f.spinSlopes = SpinSlopesOf(f, open, lines());
  return f;
}

SpinSlopes FrictionalChain::SpinSlopesOf(const FrictionalForces& f, const std::array<bool, kRollerContacts>& open,
                                         const ContactLines& lines) const {
  const RollerContacts& c = contacts_;
  const double r = c.freeRadiusM;
  const double r2 = c.secondRadiusM;
  // Each closed contact's coefficient against the spins: d mu / d slip = (mu0^2 - mu^2) /
  // (mu0 v0) for mu = mu0 tanh(slip / v0); every slip grows with the free spin by its
  // radius, the roller contact's with the second spin (turning the other way at the
  // contact) by the second roller's.
  const double mu0 = friction_.coefficient;
  std::array<std::array<double, 2>, kRollerContacts> dmu{};
  for (int i = 0; i < kRollerContacts; ++i) {
    if (mu0 == 0 || open[i]) continue;
    const double mu = f.coefficient[i];
    const double steepness = (mu0 * mu0 - mu * mu) / (mu0 * friction_.regularisationMPerS);
    dmu[i][0] = steepness * r;
    if (i == kRollerContact) dmu[i][1] = steepness * r2;
  }
  const ContactLines tangents{c.contact[kCamContact].tangent, c.contact[kLeverContact].tangent,
                              c.contact[kRollerContact].tangent};
  const auto dn = balance_.NormalSlopes(lines, tangents, f.chain);
  SpinSlopes slopes{};
  for (int j = 0; j < 2; ++j) {
    double free = 0;
    std::array<double, kRollerContacts> dNormal{};
    for (int i = 0; i < kRollerContacts; ++i) {
      for (int k = 0; k < kRollerContacts; ++k) dNormal[i] += dn[i][k] * dmu[k][j];
      free += dmu[i][j] * f.NormalN(i) + f.coefficient[i] * dNormal[i];
    }
    slopes[0][j] = -r * free;
    slopes[1][j] = -r2 * (dmu[kRollerContact][j] * f.NormalN(kRollerContact) +
                          f.coefficient[kRollerContact] * dNormal[kRollerContact]);
  }
  return slopes;
}

std::optional<FrictionalForces> SolveFrictionalChain(const LoadRow& row, const RollerContacts& contacts,
                                                     const LoadParameters& parameters,
                                                     const FrictionParameters& friction, const Spins& spins) {
  const std::optional<FrictionalChain> chain = FrictionalChain::Of(row, contacts, parameters, friction);
  if (!chain) return std::nullopt;
  return chain->At(spins);
}
