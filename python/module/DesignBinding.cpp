#include "DesignBinding.h"

#include <pybind11/stl.h>

#include <cmath>
#include <string>

#include "api/DesignFiles.h"
#include "geometry/DesignFile.h"
#include "Pool.h"

namespace torlin_python {

namespace {

PyDesign Checked(CheckedMechanism checked) {
  if (!checked.mechanism) {
    std::string lines;
    for (const std::string& line : checked.problems) lines += (lines.empty() ? "" : "\n") + line;
    Refuse(lines);
  }
  return {std::move(checked.mechanism)};
}

py::tuple Bars(WholeBarRange range) { return py::make_tuple(range.min, range.max); }

}  // namespace

std::vector<ShaftPositions> CheckedPositions(const PyDesign& design, const std::vector<double>& levers,
                                             const std::vector<double>& eccentrics, bool whole) {
  if (levers.size() != eccentrics.size()) Refuse("lever and eccentric must have the same length");
  const Design& d = design.mechanism->GetDesign();
  const WholeBarRange lever = WholeBarsOf(d.leverShaft);
  const WholeBarRange eccentric = WholeBarsOf(d.eccentricShaft);
  const auto check = [&](const char* name, double value, WholeBarRange range) {
    if (!(value >= range.min && value <= range.max) || (whole && std::floor(value) != value)) {
      Refuse(std::string(name) + " " + NumberText(value) + " is not " + (whole ? "a whole value " : "") + "from " +
             std::to_string(range.min) + " to " + std::to_string(range.max) + " (the design's bar range)");
    }
  };
  std::vector<ShaftPositions> modes;
  modes.reserve(levers.size());
  for (std::size_t i = 0; i < levers.size(); ++i) {
    check("lever", levers[i], lever);
    check("eccentric", eccentrics[i], eccentric);
    modes.push_back({levers[i], eccentrics[i]});
  }
  return modes;
}

void RegisterDesign(py::module_& module) {
  py::class_<PyDesign>(module, "Design", "A mechanism's every dimension, built and checked (immutable).")
      .def_static("window", [] { return PyDesign{WindowMechanism()}; }, "The window's own design.")
      .def_static("load", [](const std::string& path) { return Checked(CheckDesignFile(path)); }, py::arg("path"),
                  "A design file (JSON, format 1) read and checked; ValueError with the tools' lines if it "
                  "cannot be used.")
      .def_static("from_json",
                  [](const std::string& text, const std::string& source) {
                    return Checked(CheckMechanismJson(text, source));
                  },
                  py::arg("text"), py::arg("source") = "design", "A design file's text read and checked.")
      .def("to_json", [](const PyDesign& d) { return DesignToJson(d.mechanism->GetDesign()); },
           "The design file's text (format 1).")
      .def_property_readonly("name", [](const PyDesign& d) { return d.mechanism->GetDesign().name; })
      .def_property_readonly("lever_bars", [](const PyDesign& d) { return Bars(WholeBarsOf(d.mechanism->GetDesign().leverShaft)); },
                             "The lever bar's whole values (first, last).")
      .def_property_readonly("eccentric_bars",
                             [](const PyDesign& d) { return Bars(WholeBarsOf(d.mechanism->GetDesign().eccentricShaft)); },
                             "The eccentric bar's whole values (first, last).");
}

}  // namespace torlin_python
