#pragma once

#include <array>
#include <optional>

#include "analysis/ContactKinematics.h"
#include "analysis/FrictionParameters.h"
#include "analysis/InertialChain.h"
#include "analysis/LoadParameters.h"
#include "analysis/RollerSpin.h"

// The regularised Coulomb coefficient at a slip speed, signed with the slip: what
// opposes the free roller's surface's motion relative to the other body's.
double FrictionCoefficientAt(const FrictionParameters& friction, double slipMPerS);

// The chain's balance with friction at the free roller's contacts, the rollers spinning
// as given: each contact pushes the roller along its normal and, mu N, against the
// slip. A contact that would have to pull is open and carries no friction; the rest
// of the balance is as without friction (InertialChain).
struct FrictionalForces {
  ChainForces chain;                                      // normal forces, link, rod, guide
  std::array<double, kRollerContacts> coefficient{};      // the signed coefficient each contact took
  std::array<ContactSpeeds, kRollerContacts> speeds{};
  double freeSpinTorqueNm = 0;    // friction's torque on each roller's spin, counter-clockwise
  double secondSpinTorqueNm = 0;
  double powerW = 0;              // what friction turns into heat: sum of mu N slip
  SpinSlopes spinSlopes{};        // of both torques, where asked for

  double NormalN(int which) const {
    switch (which) {
      case kCamContact: return chain.camN;
      case kLeverContact: return chain.leverN;
      default: return chain.rollerN;
    }
  }
  // What the other body pushes on the free roller at a contact: N (n - mu t).
  Point2 OnFreeRoller(const RollerContacts& contacts, int which) const;
};

// One position's balance prepared for many spins (the rollers' spins change only the
// friction coefficients, and so the contact lines).
class FrictionalChain {
 public:
  // None where the position has no balance.
  static std::optional<FrictionalChain> Of(const LoadRow& row, const RollerContacts& contacts,
                                           const LoadParameters& parameters, const FrictionParameters& friction);
  // With slopes, also the torques' slopes.
  std::optional<FrictionalForces> At(const Spins& spins, bool slopes = false) const;

 private:
  FrictionalChain(const InertialBalance& balance, const RollerContacts& contacts, const FrictionParameters& friction)
      : balance_(balance), contacts_(contacts), friction_(friction) {}
  SpinSlopes SpinSlopesOf(const FrictionalForces& f, const std::array<bool, kRollerContacts>& open,
                          const ContactLines& lines) const;
  InertialBalance balance_;
  RollerContacts contacts_;
  FrictionParameters friction_;
};

std::optional<FrictionalForces> SolveFrictionalChain(const LoadRow& row, const RollerContacts& contacts,
                                                     const LoadParameters& parameters,
                                                     const FrictionParameters& friction, const Spins& spins);
