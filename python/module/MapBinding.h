#pragma once

#include <pybind11/pybind11.h>

namespace torlin_python {

// The map of many modes, one row each: the window's kinematics, with the exact model's
// and the loads' columns as asked.
void RegisterModeMap(pybind11::module_& module);

}  // namespace torlin_python
