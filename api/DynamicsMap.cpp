#include "api/DynamicsMap.h"

#include <span>

#include "analysis/ElasticCycle.h"
#include "analysis/ElasticSpeedLimits.h"
#include "analysis/KinematicLiftCurve.h"

MapDynamics MapDynamicsOf(const MechanismPtr& mechanism, const ModeSetting& mode, const LoadParameters& load, const ElasticParameters& elastic,
                          bool loftSpeeds) {
  const ExactKinematics model(mechanism, mode.lever, mode.eccentric);
  const std::optional<KinematicLiftCurve> lift = KinematicLiftCurve::FromExact(model);
  if (!lift) return {};
  const std::optional<ElasticCycle> cycle = ElasticCycleAt(*lift, load, elastic, std::span<const double>{});
  if (!cycle) return {};
  return MapDynamicsOf(*cycle, loftSpeeds ? FindElasticSpeedLimits(*lift, load, elastic) : ElasticSpeedLimits{});
}

MapDynamics MapDynamicsOf(const ElasticCycle& cycle, const ElasticSpeedLimits& limits) {
  MapDynamics d;
  d.computed = true;
  d.seatingVelocityMPerS = cycle.SeatingVelocityMPerS();
  d.chainUnloadedDeg = cycle.ChainUnloadedDeg();
  d.bounces = cycle.BounceCount();
  d.loftRpm = limits.loftRpm;
  d.bounceRpm = limits.bounceRpm;
  return d;
}

CsvColumns<MapDynamics> MapDynamicsColumns(bool loftSpeeds) {
  using D = MapDynamics;
  const auto when = [](auto get) {
    return [get](const D& d) { return d.computed ? std::optional<double>(get(d)) : std::nullopt; };
  };
  CsvColumns<D> columns = {
      NumberColumn<D>("seatingVelocity_mPerS", [](const D& d) { return d.seatingVelocityMPerS; }),
      NumberColumn<D>("bounces", when([](const D& d) { return double(d.bounces); })),
      NumberColumn<D>("chainUnloaded_deg", when([](const D& d) { return d.chainUnloadedDeg; })),
  };
  if (loftSpeeds) {
    columns.push_back(NumberColumn<D>("loftSpeed_rpm", [](const D& d) { return d.loftRpm; }));
    columns.push_back(NumberColumn<D>("bounceSpeed_rpm", [](const D& d) { return d.bounceRpm; }));
  }
  return columns;
}
