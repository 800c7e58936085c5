#pragma once

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "analysis/ContactKinematics.h"
#include "analysis/ForEachRow.h"

// The rollers' spins over a cycle. A roller with a moment of inertia spins by
// I dw/dt = its friction torque; one without follows the quasi-static condition: no net
// friction torque (the free roller then rolls, all but the regularisation's creep, on
// the contact that holds it hardest; the second roller, with one contact, rolls on it).
struct SpinInertia {
  double freeKgM2 = 0;  // 1/2 m r^2: solid rollers
  double secondKgM2 = 0;
};

// How friction's torques change with the spins (N m s), [torque][spin], free then second.
using SpinSlopes = std::array<std::array<double, 2>, 2>;

// Friction's torques on both spins (N m, counter-clockwise) at one row, for given spins,
// with the power friction turns into heat and the camshaft's, and how the torques change
// with the spins; none where the row has no balance.
struct SpinTorques {
  double freeNm = 0;
  double secondNm = 0;
  double heatW = 0;
  double camshaftW = 0;
  SpinSlopes slopes{};
};
// The slopes are asked for only where slopes is true (else left zero).
using SpinTorquesAt = std::function<std::optional<SpinTorques>(std::size_t row, const Spins&, bool slopes)>;

// The spins without inertia completed: the second roller's rolling on the free one, the
// free roller's where its friction torque is zero, found by a bracketing root finder
// between the spins at which each contact rolls; creep is the friction law's
// regularisation speed.
Spins QuasiStaticSpins(const RollerContacts& contacts, const SpinInertia& inertia, double creepMPerS,
                       const SpinTorquesAt& torques, std::size_t row, Spins spins);

// The periodic steady state over the cycle of rows at the given crank angles (in
// order, from the first over 720 degrees): friction's torques between two rows taken
// in proportion, integrated row interval by row interval under error control by a
// Rosenbrock-W method (the spins are stiff: a rolling roller's friction torque answers
// a change of spin within hundredths of a degree); the start spins solved so that the
// cycle ends where it began (Newton's method on the cycle's map, its slopes carried
// through the cycle with the spins). Rows where contacts is none take no torque.
// Where the rows are fine, the periodic state of every few rows comes first, as the
// start for the fine rows, whose cycle is then solved in two stretches at once (through
// forEach), each stretch's end meeting the other's start (multiple shooting).
// The mean powers are integrated with the spins, so that they take the quick changes
// of spin between two rows (where a roller starts to roll on another contact) that the
// rows themselves do not see; the camshaft's less what it spends spinning the rollers
// up, which is added from the spins' ends (the same energy, but free of the steps'
// errors in the spins, which the camshaft's power answers steeply where a roller rolls).
struct SpinCycle {
  std::vector<Spins> spins;  // at each row
  int cycles = 0;            // integrated on the rows asked for
  bool periodic = false;     // converged
  double meanHeatW = 0;
  double meanCamshaftW = 0;
};
SpinCycle PeriodicSpins(const std::vector<double>& crankDeg, const std::vector<std::optional<RollerContacts>>& contacts,
                        const SpinInertia& inertia, double creepMPerS, double rpm, const SpinTorquesAt& torques,
                        const ForEachRow& forEach = EachRowInTurn);
