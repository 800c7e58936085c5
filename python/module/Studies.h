#pragma once

#include <pybind11/pybind11.h>

namespace torlin_python {

// One mode's tables (or a batch of modes'): svaj, loads, frames and target.
void RegisterStudies(pybind11::module_& module);

}  // namespace torlin_python
