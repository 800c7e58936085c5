#include "MapBinding.h"

#include <pybind11/stl.h>

#include "DesignBinding.h"
#include "LoadArguments.h"
#include "Pool.h"
#include "TableArrays.h"
#include "analysis/DesignLimits.h"
#include "animation/ControlDesign.h"
#include "api/DynamicsMap.h"
#include "api/ExactMap.h"
#include "api/LoadsMap.h"
#include "api/MapLimits.h"
#include "api/ModeMap.h"

namespace torlin_python {

namespace {

// The map's rows on the pool, one per mode, with the columns torlin-modes writes for
// the same options.
template <class MakeJob, class Row>
py::dict MapArrays(std::size_t count, int threads, MakeJob makeJob, const TableColumns<Row>& columns) {
  const std::vector<Row> rows = OnPool(count, threads, makeJob);
  std::vector<std::vector<Row>> batch;
  batch.reserve(rows.size());
  for (const Row& row : rows) batch.push_back({row});
  return BatchArrays(columns, batch, true);
}

py::dict ModeMapOf(const PyDesign& design, const std::vector<double>& levers, const std::vector<double>& eccentrics,
                   int speed, bool exact, std::optional<double> tdc, int threads, bool loads,
                   const LoadArguments& arguments, bool loftSpeeds) {
  const std::vector<ShaftPositions> positions = CheckedPositions(design, levers, eccentrics, true);
  const ControlDesign& bar = ControlDesignNamed("HScroll1");
  if (speed < bar.min || speed > bar.max) Refuse("speed must be from " + std::to_string(bar.min) + " to " + std::to_string(bar.max));
  if (tdc && !(*tdc >= -720 && *tdc <= 720)) Refuse("tdc must be from -720 to 720 crank degrees");
  CheckedThreads(threads);
  std::vector<ModeSetting> modes;
  modes.reserve(positions.size());
  for (const ShaftPositions& p : positions) modes.push_back(*p.WindowSetting());
  const CrankOrigin origin(tdc);
  const MechanismPtr& mechanism = design.mechanism;
  if (!loads) {
    if (arguments.dynamics || loftSpeeds || !arguments.numbers.empty()) Refuse("load parameters need loads=True");
    if (exact) {
      return MapArrays(modes.size(), threads, [&] { return ExactMapJob(mechanism, modes, speed); }, ExactMapColumns(origin));
    }
    return MapArrays(modes.size(), threads, [&] { return DemonstrationMapJob(mechanism, modes, speed); },
                     ModeMapColumns(origin));
  }
  if (arguments.cylinders != 0) Refuse("cylinders is for one mode's loads, not the map");
  if (loftSpeeds && !arguments.dynamics) Refuse("loft_speeds needs dynamics=True");
  const LoadSettings settings = CheckedSettings(arguments);
  const DesignLimits limits;
  const auto withLoads = [&]<class BaseJob>(const auto& baseColumns) {
    const auto loadsJob = [&] { return LoadsMapJob<BaseJob>(mechanism, modes, speed, settings.parameters, settings.friction); };
    const auto run = [&](auto makeJob, auto columns) {
      using Row = typename ColumnsRow<decltype(columns)>::type;
      columns.push_back(ExceededLimitsColumn<Row>(arguments.rpm, limits));
      return MapArrays(modes.size(), threads, makeJob, columns);
    };
    const auto loadColumns =
        WithLoadsColumns(baseColumns, origin, settings.bodyColumns, settings.friction.has_value());
    if (!settings.elastic) return run(loadsJob, loadColumns);
    return run([&] { return DynamicsMapJob(modes, loadsJob(), settings.parameters, *settings.elastic, loftSpeeds); },
               WithDynamicsColumns(loadColumns, loftSpeeds));
  };
  return exact ? withLoads.template operator()<ExactMapJob>(ExactMapColumns(origin))
               : withLoads.template operator()<DemonstrationMapJob>(ModeMapColumns(origin));
}

}  // namespace

void RegisterModeMap(py::module_& module) {
  module.def(
      "mode_map",
      [](const PyDesign& design, const std::vector<double>& levers, const std::vector<double>& eccentrics, int speed,
         bool exact, std::optional<double> tdc, int threads, bool loads, std::map<std::string, double> numbers,
         std::optional<double> rpm, bool dynamics, int springMasses, bool loftSpeeds) {
        return ModeMapOf(design, levers, eccentrics, speed, exact, tdc, threads, loads,
                         {std::move(numbers), rpm, dynamics, springMasses, 0, {}, 1}, loftSpeeds);
      },
      py::arg("design"), py::arg("levers"), py::arg("eccentrics"), py::arg("speed"), py::arg("exact"), py::arg("tdc"),
      py::arg("threads"), py::arg("loads"), py::arg("numbers"), py::arg("rpm"), py::arg("dynamics"),
      py::arg("spring_masses"), py::arg("loft_speeds"));
}

}  // namespace torlin_python
