#pragma once

#include <pybind11/pybind11.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "analysis/DesignLimits.h"
#include "api/LoadStudy.h"

namespace torlin_python {

namespace py = pybind11;

// The load model's arguments as Python gives them: the numbers by keyword (those of
// LoadInputFields, each left out for its default), the elastic model and the engine.
struct LoadArguments {
  std::map<std::string, double> numbers;
  std::optional<double> rpm;
  bool dynamics = false;
  int springMasses = 0;  // 0: the default
  int cylinders = 0;     // 0: no engine
  std::vector<int> firingOrder;
  int valvesPerCylinder = 1;
};

// The settings, checked as the tools check their options; ValueError otherwise.
LoadSettings CheckedSettings(const LoadArguments& arguments);

// The limits a mode is judged against, by the tools' option names in snake case
// (min_separation_rpm, allowable_hertz, max_pressure_angle, min_film_ratio with
// friction, max_seating_velocity with dynamics), each left out for its default.
DesignLimits CheckedLimits(const std::map<std::string, double>& limits, const LoadArguments& arguments);

}  // namespace torlin_python
