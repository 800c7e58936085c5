// _torlin: the exact model's studies over api/, as numpy arrays. The package `torlin`
// (torlin/__init__.py) gives them their Python shape: broadcasting, keyword
// arguments with defaults, documentation.

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "DesignBinding.h"
#include "MapBinding.h"
#include "Studies.h"
#include "analysis/ModeGrid.h"
#include "animation/ControlDesign.h"
#include "api/LoadInputs.h"
#include "api/ModelNotes.h"
#include "api/StudyRanges.h"
#include "torlin/Version.h"

namespace py = pybind11;

namespace {

const char* LayerName(LoadLayer layer) {
  switch (layer) {
    case LoadLayer::Loads: return "loads";
    case LoadLayer::Friction: return "friction";
    case LoadLayer::Dynamics: return "dynamics";
  }
  return "";
}

// The load model's settable numbers, with what the tools' help says of each.
py::list LoadFields() {
  py::list fields;
  for (const LoadInputField& field : LoadInputFields()) {
    py::dict entry;
    entry["keyword"] = field.Keyword();
    entry["option"] = std::string("--") + field.option;
    entry["help"] = field.help;
    entry["range"] = field.RangeText();
    entry["layer"] = LayerName(field.layer);
    fields.append(std::move(entry));
  }
  return fields;
}

py::list ModelNotes() {
  py::list notes;
  for (const ModelNote& note : LoadModelNotes()) notes.append(py::make_tuple(note.title, note.text));
  return notes;
}

// The map's default bar values for the design: whole values evenly spread.
py::tuple DefaultGrid(const torlin_python::PyDesign& design) {
  const Design& d = design.mechanism->GetDesign();
  const WholeBarRange lever = WholeBarsOf(d.leverShaft);
  const WholeBarRange eccentric = WholeBarsOf(d.eccentricShaft);
  return py::make_tuple(EvenlySpread(lever.min, lever.max, kDefaultStepsPerBar),
                        EvenlySpread(eccentric.min, eccentric.max, kDefaultStepsPerBar));
}

}  // namespace

PYBIND11_MODULE(_torlin, module) {
  module.doc() = "Torlin's exact model of the two-shaft variable valve actuation mechanism.";
  torlin_python::RegisterDesign(module);
  torlin_python::RegisterStudies(module);
  torlin_python::RegisterModeMap(module);
  module.def("load_fields", &LoadFields);
  module.def("default_grid", &DefaultGrid);
  module.def("model_notes", &ModelNotes);
  const ControlDesign& speed = ControlDesignNamed("HScroll1");
  module.attr("window_speed") = py::make_tuple(speed.min, speed.max, speed.value);
  module.attr("default_step_deg") = kDefaultSvajStepDeg;
  module.attr("__version__") = kTorlinVersion;
}
