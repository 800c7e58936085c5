#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "analysis/ElasticCycle.h"
#include "analysis/ElasticParameters.h"
#include "analysis/ElasticSpeedLimits.h"
#include "analysis/LoadParameters.h"
#include "analysis/ModeSetting.h"
#include "geometry/Mechanism.h"
#include "api/TableColumns.h"

// torlin-modes --loads --dynamics on the map: each mode's elastic valve train at --rpm
// (its periodic cycle) and, with --loft-speeds, its loft and bounce speeds, as columns
// beside its loads.
struct MapDynamics {
  bool computed = false;  // false: the valve never rests, or a crank angle has no position
  std::optional<double> seatingVelocityMPerS;
  double chainUnloadedDeg = 0;
  int bounces = 0;
  std::optional<double> loftRpm;
  std::optional<double> bounceRpm;
};

MapDynamics MapDynamicsOf(const MechanismPtr& mechanism, const ModeSetting& mode, const LoadParameters& load, const ElasticParameters& elastic,
                          bool loftSpeeds);
// The same figures of a cycle already computed, with its loft and bounce speeds.
MapDynamics MapDynamicsOf(const ElasticCycle& cycle, const ElasticSpeedLimits& limits);
CsvColumns<MapDynamics> MapDynamicsColumns(bool loftSpeeds);

// A map row with the mode's elastic figures beside it.
template <class Base>
struct WithDynamics {
  Base base;
  MapDynamics dynamics;
};

template <class BaseJob>
class DynamicsMapJob {
 public:
  DynamicsMapJob(const std::vector<ModeSetting>& modes, BaseJob base, const LoadParameters& load,
                 const ElasticParameters& elastic, bool loftSpeeds)
      : modes_(&modes), base_(std::move(base)), load_(load), elastic_(elastic), loftSpeeds_(loftSpeeds) {}

  auto operator()(std::size_t index) {
    return WithDynamics<decltype(base_(index))>{base_(index),
                                                MapDynamicsOf(Mechanism(), (*modes_)[index], load_, elastic_, loftSpeeds_)};
  }
  const MechanismPtr& Mechanism() const { return base_.Mechanism(); }

 private:
  const std::vector<ModeSetting>* modes_;
  BaseJob base_;
  LoadParameters load_;
  ElasticParameters elastic_;
  bool loftSpeeds_;
};

template <class Base>
CsvColumns<WithDynamics<Base>> WithDynamicsColumns(const CsvColumns<Base>& baseColumns, bool loftSpeeds) {
  CsvColumns<WithDynamics<Base>> columns;
  AppendColumns(columns, baseColumns, [](const WithDynamics<Base>& r) -> const Base& { return r.base; });
  AppendColumns(columns, MapDynamicsColumns(loftSpeeds), [](const WithDynamics<Base>& r) -> const MapDynamics& { return r.dynamics; });
  return columns;
}
