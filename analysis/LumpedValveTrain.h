#pragma once

#include <cstddef>
#include <vector>

#include "analysis/ElasticParameters.h"
#include "analysis/LoadParameters.h"

// The valve train as lumped masses on one line, in the valve's opening sense (SI units):
// a kinematic input (the rigid chain's lift) drives the valve through the chain's
// stiffness; the valve spring is cut into n equal coil masses between n + 1 equal
// springs from the fixed head to the valve; the seat is a stiff spring under the valve.
// The chain and the seat only push (each a spring and a damper in parallel, clamped at
// zero), so the valve may leave either. The valve carries the load's equivalent mass
// less the third of the spring it stands for, the coils carrying the spring's own.
// The valve's coordinate is its height above its rest on the seat (where the seat holds
// the preload); the chain just touches it there.
//
// State: valve position and speed, then the coils' positions, then their speeds.
class LumpedValveTrain {
 public:
  using State = std::vector<double>;
  struct Input {
    double liftM = 0;
    double speedMPerS = 0;
  };
  struct Forces {
    double chainN = 0;  // on the valve, opening
    double seatN = 0;   // on the valve, opening
    double springN = 0; // on the valve, closing (positive)
  };
  enum Contact : unsigned { kChainContact = 1, kSeatContact = 2 };

  LumpedValveTrain(const LoadParameters& load, const ElasticParameters& elastic);

  std::size_t Size() const { return 2 + 2 * coils_; }
  std::size_t Coils() const { return coils_; }
  State Rest() const { return State(Size(), 0.0); }
  // At rest with the input held at a lift, the seat open: the chain holds the spring.
  State HeldOpen(double inputLiftM) const;

  Forces ForcesAt(const State& s, Input in) const;
  unsigned Contacts(const State& s, Input in) const;
  void Derivative(const State& s, State& ds, Input in) const;
  // Kinetic energy and the potential of every spring (the preload's included), for
  // checks: with no damping and the input at rest it does not change.
  double Energy(const State& s, Input in) const;

  // With the chain closed and the seat open: the masses (kg) and the stiffness matrix
  // (N/m, row after row) of the free vibration.
  std::vector<double> Masses() const;
  std::vector<double> Stiffness() const;

  double ValveMassKg() const { return valveMass_; }
  double SeatTouchM() const { return seatTouch_; }

 private:
  double ChainPush(const State& s, Input in) const;
  double SeatPush(const State& s) const;
  double SpringOnValve(const State& s) const;

  std::size_t coils_;
  double valveMass_;
  double coilMass_;
  double springRate_;   // N/m, whole spring
  double segmentRate_;  // N/m, each of the n + 1 pieces
  double preload_;
  double chainRate_;
  double seatRate_;
  double chainDamping_;
  double seatDamping_;
  double segmentDamping_;
  double seatTouch_;  // how far the preload presses the seat in
};
