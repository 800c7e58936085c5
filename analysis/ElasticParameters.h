#pragma once

// What the elastic valve train adds to the load parameters. The chain's stiffness from
// the kinematic input to the valve is that of roller valve trains (10 to 20 kN/mm);
// the valve spring's own mass that of a passenger car's single intake spring; the seat
// as stiff as a steel valve face on its insert. One damping ratio serves every spring
// element of the lumped model (chain, seat, coils): 0.1, as valve-train studies take.
struct ElasticParameters {
  double chainStiffnessNPerMm = 15000;
  double dampingRatio = 0.1;
  int springMasses = 4;       // coil masses the valve spring is cut into
  double springMassG = 30;    // a third of it is in the load's equivalent moving mass
  double seatStiffnessNPerMm = 50000;
};

inline constexpr double kMaxChainStiffnessNPerMm = 1e8;
inline constexpr double kMaxDampingRatio = 10;
inline constexpr int kMaxSpringMasses = 64;
