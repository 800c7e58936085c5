#include "MapBinding.h"

#include <pybind11/stl.h>

#include "DesignBinding.h"
#include "LoadArguments.h"
#include "Pool.h"
#include "TableArrays.h"
#include "animation/ControlDesign.h"
#include "api/MapPlan.h"

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
                   const LoadArguments& arguments, bool loftSpeeds, const std::map<std::string, double>& limits) {
  const std::vector<ShaftPositions> positions = CheckedPositions(design, levers, eccentrics, true);
  const ControlDesign& bar = ControlDesignNamed("HScroll1");
  if (speed < bar.min || speed > bar.max) Refuse("speed must be from " + std::to_string(bar.min) + " to " + std::to_string(bar.max));
  if (tdc && !(*tdc >= -720 && *tdc <= 720)) Refuse("tdc must be from -720 to 720 crank degrees");
  CheckedThreads(threads);
  std::vector<ModeSetting> modes;
  modes.reserve(positions.size());
  for (const ShaftPositions& p : positions) modes.push_back(*p.WindowSetting());
  MapRequest request{design.mechanism, std::move(modes), speed, exact, CrankOrigin(tdc), std::nullopt, loftSpeeds,
                     std::nullopt, DesignLimits{}};
  if (!loads) {
    if (arguments.dynamics || loftSpeeds || !arguments.numbers.empty() || !limits.empty()) {
      Refuse("load parameters and limits need loads=True");
    }
  } else {
    if (arguments.cylinders != 0) Refuse("cylinders is for one mode's loads, not the map");
    if (loftSpeeds && !arguments.dynamics) Refuse("loft_speeds needs dynamics=True");
    request.loads = CheckedSettings(arguments);
    request.rpm = arguments.rpm;
    request.limits = CheckedLimits(limits, arguments);
  }
  return WithMapPlan(request, [&](auto makeJob, const auto& columns) {
    return MapArrays(request.modes.size(), threads, makeJob, columns);
  });
}

}  // namespace

void RegisterModeMap(py::module_& module) {
  module.def(
      "mode_map",
      [](const PyDesign& design, const std::vector<double>& levers, const std::vector<double>& eccentrics, int speed,
         bool exact, std::optional<double> tdc, int threads, bool loads, std::map<std::string, double> numbers,
         std::optional<double> rpm, bool dynamics, int springMasses, bool loftSpeeds,
         const std::map<std::string, double>& limits) {
        return ModeMapOf(design, levers, eccentrics, speed, exact, tdc, threads, loads,
                         {std::move(numbers), rpm, dynamics, springMasses, 0, {}, 1}, loftSpeeds, limits);
      },
      py::arg("design"), py::arg("levers"), py::arg("eccentrics"), py::arg("speed"), py::arg("exact"), py::arg("tdc"),
      py::arg("threads"), py::arg("loads"), py::arg("numbers"), py::arg("rpm"), py::arg("dynamics"),
      py::arg("spring_masses"), py::arg("loft_speeds"), py::arg("limits"));
}

}  // namespace torlin_python
