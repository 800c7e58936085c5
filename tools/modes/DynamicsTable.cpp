#include "DynamicsTable.h"

#include <optional>

CsvColumns<ElasticRow> DynamicsRowColumns() {
  using E = ElasticRow;
  CsvColumns<E> columns;
  const std::pair<const char*, double E::*> numbers[] = {
      {"dynamicLift_mm", &E::liftMm},
      {"dynamicVelocity_mPerS", &E::velocityMPerS},
      {"dynamicAcceleration_mPerS2", &E::accelerationMPerS2},
      {"chainForce_N", &E::chainForceN},
      {"seatForce_N", &E::seatForceN},
  };
  for (const auto& [name, member] : numbers) {
    const auto field = member;  // a copy: the WebAssembly compiler does not capture bindings
    columns.push_back(NumberColumn<E>(name, [field](const E& e) { return e.*field; }));
  }
  return columns;
}

std::string DynamicsSummaryBlock(const ElasticCycle& cycle, const ElasticSpeedLimits& limits,
                                 const CrankOrigin& origin) {
  std::string block;
  const auto line = [&](const std::string& name, std::optional<double> value) {
    block += "# " + name + ',';
    AppendNumber(block, value);
    block += '\n';
  };
  const auto crank = [&](std::optional<double> at) {
    return at ? std::optional<double>(origin.Shown(*at)) : std::nullopt;
  };
  const std::optional<ValveFlight> opening = cycle.Opening();
  const std::optional<ValveFlight> bounce = cycle.HighestBounce();
  line("dynamicPeriodic", double(cycle.periodic ? 1 : 0));
  line("dynamicCycles", double(cycle.cycles));
  line(origin.Column("dynamicOpeningAt_crankDeg"), crank(opening ? std::optional(opening->fromDeg) : std::nullopt));
  line(origin.Column("dynamicClosingAt_crankDeg"), crank(opening ? std::optional(opening->toDeg) : std::nullopt));
  line("seatingVelocity_mPerS", cycle.SeatingVelocityMPerS());
  line("seatImpacts", double(cycle.impacts.size()));
  line("bounces", double(cycle.BounceCount()));
  line("highestBounce_mm", bounce ? std::optional(bounce->heightMm) : std::nullopt);
  line("chainUnloaded_deg", cycle.ChainUnloadedDeg());
  line("loftSpeed_rpm", limits.loftRpm);
  line("bounceSpeed_rpm", limits.bounceRpm);
  if (cycle.Lofts() || cycle.Bounces()) {
    block += "# warning,the valve leaves the chain or bounces at this speed: the rigid rows do not describe its motion\n";
  }
  if (!cycle.periodic) block += "# warning,the elastic cycle did not repeat within its cycles\n";
  return block;
}
