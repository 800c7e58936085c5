#include "api/DynamicsTable.h"

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
