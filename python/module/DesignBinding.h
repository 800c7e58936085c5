#pragma once

#include <pybind11/pybind11.h>

#include <vector>

#include "api/ShaftPositions.h"
#include "geometry/Mechanism.h"

namespace torlin_python {

namespace py = pybind11;

// A design built and checked: what every study takes. Immutable, so it may be shared
// by any number of threads and calls.
struct PyDesign {
  MechanismPtr mechanism;
};

void RegisterDesign(py::module_& module);

// The modes of a batch, each checked against the design's shaft ranges (any position
// between the bars' ends; whole values where whole is asked for).
std::vector<ShaftPositions> CheckedPositions(const PyDesign& design, const std::vector<double>& levers,
                                             const std::vector<double>& eccentrics, bool whole = false);

}  // namespace torlin_python
