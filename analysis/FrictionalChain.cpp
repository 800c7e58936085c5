#include "analysis/FrictionalChain.h"

#include <cmath>

#include "analysis/PlaneVectors.h"

double FrictionCoefficientAt(const FrictionParameters& friction, double slipMPerS) {
  return friction.coefficient * std::tanh(slipMPerS / friction.regularisationMPerS);
}

double FrictionalForces::NormalN(int which) const {
  switch (which) {
    case kCamContact: return chain.camN;
    case kLeverContact: return chain.leverN;
    default: return chain.rollerN;
  }
}

Point2 FrictionalForces::OnFreeRoller(const RollerContacts& contacts, int which) const {
  const ContactMotion& c = contacts.contact[which];
  return Scaled(Minus(c.normal, Scaled(c.tangent, coefficient[which])), NormalN(which));
}

std::optional<FrictionalForces> SolveFrictionalChain(const LoadRow& row, const RollerContacts& contacts,
                                                     const LoadParameters& parameters,
                                                     const FrictionParameters& friction, const Spins& spins) {
  FrictionalForces f;
  for (int i = 0; i < kRollerContacts; ++i) {
    f.speeds[i] = SpeedsAt(contacts, i, spins);
    f.coefficient[i] = FrictionCoefficientAt(friction, f.speeds[i].slipMPerS);
  }
  const auto line = [&](int i) {
    const ContactMotion& c = contacts.contact[i];
    return Minus(c.normal, Scaled(c.tangent, f.coefficient[i]));
  };
  // An open contact takes no friction; opening one changes the others' forces, so the
  // balance is solved again until no contact with friction pulls.
  for (int pass = 0; pass <= kRollerContacts; ++pass) {
    const auto chain = SolveInertialChain(row.geometry, ContactLines{line(kCamContact), line(kLeverContact), line(kRollerContact)},
                                          row.motion, parameters.bodies, row.valveForceN, parameters.returnSpringN,
                                          row.seated);
    if (!chain) return std::nullopt;
    f.chain = *chain;
    bool opened = false;
    for (int i = 0; i < kRollerContacts; ++i) {
      if (f.NormalN(i) < 0 && f.coefficient[i] != 0) {
        f.coefficient[i] = 0;
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
  return f;
}
