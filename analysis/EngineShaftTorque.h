#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/AtCrank.h"
#include "analysis/CrankPlaces.h"
#include "analysis/LoadParameters.h"
#include "analysis/ValveLoads.h"

// The control shafts' torques for a whole engine: every cylinder's valve train runs the
// same mode, each shifted by its place in the firing order. The cylinder fired p-th
// (p = 0 for the first) opens its valves 720/N * p crank degrees after the first, so it
// adds the single valve's torque of 720/N * p degrees earlier; a shaft working k valves
// of each cylinder carries k times that. For evenly spaced firing the sum does not
// depend on the order (the shifts are the same set), only which cylinder stands where.
struct EngineLayout {
  int cylinders = 1;
  std::vector<int> firingOrder{1};  // cylinder numbers 1..cylinders, each once
  int valvesPerCylinder = 1;
};
inline constexpr int kMaxCylinders = 24;
inline constexpr int kMaxValvesPerCylinder = 6;

// 1-3-4-2 for four cylinders, 1-5-3-6-2-4 for six (the usual inline orders), else
// 1, 2, ..., N.
std::vector<int> DefaultFiringOrder(int cylinders);
// What is wrong with an order for that many cylinders, in one line; empty if nothing.
std::string FiringOrderProblem(const std::vector<int>& order, int cylinders);
// The crank offset of each place in the firing order: 720/N * place.
double FiringOffsetDeg(const EngineLayout& layout, int place);

struct EngineShaftTorques {
  double greenNm = 0;
  double orangeNm = 0;
};
// At one of the first cylinder's places (its own side of a jump); none where any
// cylinder's chain has no single balance.
std::optional<EngineShaftTorques> EngineShaftTorquesAt(const ExactKinematics& model, const LoadParameters& parameters,
                                                       const EngineLayout& layout, const CrankPlace& place);
// The same at row i of the valve's own rows over its whole cycle (in crank order, both
// sides of every jump, as CrankPlaces gives them) rather than from new rows: for rows
// that carry a state of the cycle, such as the rollers' spins under friction, which a
// row at a new crank angle would not have. The cylinder fired p-th takes the row that
// stands 720/N * p degrees earlier, or between two rows the two in proportion.
std::optional<EngineShaftTorques> EngineShaftTorquesOfRows(std::span<const LoadRow> rows, const EngineLayout& layout,
                                                           std::size_t i);

// One shaft's torque over the engine's cycle. The mean is over the evenly spaced
// places (side 0), the peak (largest in size, signed) and the ripple (largest less
// smallest) over all.
struct EngineTorqueSummary {
  std::optional<AtCrank> peakNm;
  std::optional<double> meanNm;
  std::optional<double> rippleNm;
};
struct EngineTorqueRow {
  CrankPlace place;
  std::optional<EngineShaftTorques> torques;
};
EngineTorqueSummary SummariseEngineTorque(const std::vector<EngineTorqueRow>& rows, double EngineShaftTorques::*shaft);
