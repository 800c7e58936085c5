#pragma once

#include <optional>
#include <vector>

#include "analysis/DesignLimits.h"
#include "analysis/ModeSetting.h"
#include "api/CrankOrigin.h"
#include "api/DynamicsMap.h"
#include "api/ExactMap.h"
#include "api/LoadStudy.h"
#include "api/LoadsMap.h"
#include "api/MapLimits.h"
#include "api/ModeMap.h"
#include "geometry/Mechanism.h"

// What a mode map is asked for: its modes on a mechanism, the window's or the exact
// model's lift, and optionally every mode's loads (with friction and the elastic valve
// train as the settings have them) judged against limits.
struct MapRequest {
  MechanismPtr mechanism;
  std::vector<ModeSetting> modes;
  int speed = 400;  // the window's speed bar, for its frames' crank angles
  bool exact = false;
  CrankOrigin origin;
  std::optional<LoadSettings> loads;  // none: the lift alone
  bool loftSpeeds = false;            // with loads->elastic: each mode's loft and bounce speeds
  std::optional<double> rpm;          // the engine speed the limits judge separation at
  DesignLimits limits;
};

// Whether a map's row carries loads (and so flags against limits).
template <class Row>
concept MapRowWithLoads = requires(const Row& row) { LoadsOf(row); };

// Calls run(makeJob, columns) once: makeJob() makes one worker's job (index → row) and
// columns are the rows' columns, the limits' flags last where there are loads. The job
// reads request.modes, so the request outlives the run.
template <class Run>
decltype(auto) WithMapPlan(const MapRequest& request, Run&& run) {
  const MechanismPtr& mechanism = request.mechanism;
  const std::vector<ModeSetting>& modes = request.modes;
  const int speed = request.speed;
  if (!request.loads) {
    if (request.exact) return run([&] { return ExactMapJob(mechanism, modes, speed); }, ExactMapColumns(request.origin));
    return run([&] { return DemonstrationMapJob(mechanism, modes, speed); }, ModeMapColumns(request.origin));
  }
  const LoadSettings& settings = *request.loads;
  const auto withLoads = [&]<class BaseJob>(const auto& baseColumns) -> decltype(auto) {
    const auto loadsJob = [&] { return LoadsMapJob<BaseJob>(mechanism, modes, speed, settings.parameters, settings.friction); };
    const auto flagged = [&](auto makeJob, auto columns) -> decltype(auto) {
      using Row = typename ColumnsRow<decltype(columns)>::type;
      columns.push_back(ExceededLimitsColumn<Row>(request.rpm, request.limits));
      return run(makeJob, std::move(columns));
    };
    const auto loadColumns =
        WithLoadsColumns(baseColumns, request.origin, settings.bodyColumns, settings.friction.has_value());
    if (!settings.elastic) return flagged(loadsJob, loadColumns);
    return flagged(
        [&] { return DynamicsMapJob(modes, loadsJob(), settings.parameters, *settings.elastic, request.loftSpeeds); },
        WithDynamicsColumns(loadColumns, request.loftSpeeds));
  };
  if (request.exact) return withLoads.template operator()<ExactMapJob>(ExactMapColumns(request.origin));
  return withLoads.template operator()<DemonstrationMapJob>(ModeMapColumns(request.origin));
}
