#include "LoadArguments.h"

#include "analysis/DesignLimitFields.h"
#include "api/LoadInputs.h"
#include "api/StudyRanges.h"
#include "Pool.h"

namespace torlin_python {

LoadSettings CheckedSettings(const LoadArguments& arguments) {
  LoadInputs inputs;
  std::size_t known = 0;
  for (const LoadInputField& field : LoadInputFields()) {
    const auto given = arguments.numbers.find(field.Keyword());
    if (given == arguments.numbers.end()) continue;
    ++known;
    if (!field.InRange(given->second)) {
      Refuse(field.Keyword() + " must be " + field.RangeText() + ", not " + NumberText(given->second));
    }
    inputs.*field.member = given->second;
    const bool friction = arguments.numbers.count("friction") > 0;
    if (field.layer == LoadLayer::Friction && !friction) Refuse(field.Keyword() + " needs friction");
    if (field.layer == LoadLayer::Dynamics && !arguments.dynamics) Refuse(field.Keyword() + " needs dynamics=True");
  }
  if (known != arguments.numbers.size()) {
    for (const auto& [keyword, value] : arguments.numbers) {
      bool found = false;
      for (const LoadInputField& field : LoadInputFields()) found = found || field.Keyword() == keyword;
      if (!found) Refuse("no load parameter is called " + keyword);
    }
  }
  if (arguments.rpm && !(*arguments.rpm > 0 && *arguments.rpm <= kMaxRpm)) {
    Refuse("rpm must be above 0, up to " + NumberText(kMaxRpm) + ", not " + NumberText(*arguments.rpm));
  }
  if (arguments.dynamics && !arguments.rpm) Refuse("dynamics needs rpm");
  if (inputs.frictionCoefficient && !arguments.rpm) Refuse("friction needs rpm (at rest nothing slips)");
  if (arguments.springMasses != 0) {
    if (!arguments.dynamics) Refuse("spring_masses needs dynamics=True");
    if (arguments.springMasses < kMinSpringMasses || arguments.springMasses > kMaxSpringMasses) {
      Refuse("spring_masses must be 1 up to " + std::to_string(kMaxSpringMasses));
    }
    inputs.springMasses = arguments.springMasses;
  }
  if (arguments.dynamics && !ValveKeepsMass(inputs, arguments.rpm)) {
    Refuse("moving_mass must exceed a third of spring_mass (the valve keeps the rest)");
  }
  LoadSettings settings{inputs.Parameters(arguments.rpm), inputs.BodiesGiven(), inputs.Friction(), std::nullopt,
                        std::nullopt};
  if (arguments.dynamics) settings.elastic = inputs.Elastic();
  if (arguments.cylinders != 0) {
    if (arguments.cylinders < 1 || arguments.cylinders > kMaxCylinders) {
      Refuse("cylinders must be 1 up to " + std::to_string(kMaxCylinders));
    }
    if (arguments.valvesPerCylinder < 1 || arguments.valvesPerCylinder > kMaxValvesPerCylinder) {
      Refuse("valves_per_cylinder must be 1 up to " + std::to_string(kMaxValvesPerCylinder));
    }
    const std::vector<int> order =
        arguments.firingOrder.empty() ? DefaultFiringOrder(arguments.cylinders) : arguments.firingOrder;
    if (const std::string problem = FiringOrderProblem(order, arguments.cylinders); !problem.empty()) {
      Refuse("firing_order: " + problem);
    }
    settings.engine = EngineLayout{arguments.cylinders, order, arguments.valvesPerCylinder};
  } else if (!arguments.firingOrder.empty() || arguments.valvesPerCylinder != 1) {
    Refuse("firing_order and valves_per_cylinder need cylinders");
  }
  return settings;
}

namespace {

// The model a limit's figure comes from, where it needs one beyond the loads.
enum class Needs { Loads, Friction, Dynamics };

struct LimitArgument {
  const char* keyword;
  double max;
  void (*set)(DesignLimits& limits, double value);
  Needs needs;
};
const LimitArgument kLimitArguments[] = {
    {"min_separation_rpm", kMaxLimitRpm, [](DesignLimits& l, double v) { l.minSeparationRpm = v; }, Needs::Loads},
    {"allowable_hertz", kMaxLimitHertzMPa, [](DesignLimits& l, double v) { l.allowableCamHertzMPa = v; }, Needs::Loads},
    {"max_pressure_angle", kMaxLimitAngleDeg, [](DesignLimits& l, double v) { l.maxPressureAngleDeg = v; }, Needs::Loads},
    {"min_film_ratio", kMaxLimitFilmRatio, [](DesignLimits& l, double v) { l.minFilmRatio = v; }, Needs::Friction},
    {"max_seating_velocity", kMaxLimitSeatingVelocityMPerS,
     [](DesignLimits& l, double v) { l.maxSeatingVelocityMPerS = v; }, Needs::Dynamics},
};

}  // namespace

DesignLimits CheckedLimits(const std::map<std::string, double>& limits, const LoadArguments& arguments) {
  DesignLimits checked;
  for (const auto& [keyword, value] : limits) {
    const LimitArgument* argument = nullptr;
    for (const LimitArgument& a : kLimitArguments) argument = keyword == a.keyword ? &a : argument;
    if (!argument) Refuse("no limit is called " + keyword);
    if (!(value > 0 && value <= argument->max)) {
      Refuse(keyword + " must be above 0, up to " + NumberText(argument->max) + ", not " + NumberText(value));
    }
    if (argument->needs == Needs::Friction && arguments.numbers.count("friction") == 0) Refuse(keyword + " needs friction");
    if (argument->needs == Needs::Dynamics && !arguments.dynamics) Refuse(keyword + " needs dynamics=True");
    argument->set(checked, value);
  }
  return checked;
}

}  // namespace torlin_python
