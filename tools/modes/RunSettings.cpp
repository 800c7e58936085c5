#include "RunSettings.h"

#include "common/ProgramNotes.h"

CsvColumns<ModesOptions> RunSettingsColumns(const ModesOptions& options) {
  using O = const ModesOptions&;
  CsvColumns<ModesOptions> columns = ProgramNotes<ModesOptions>("torlin-modes");
  const bool oneMode = options.exact.svaj || options.loads.mode;
  if (!options.exact.target && !options.loads.mode) {
    columns.push_back(NumberColumn<ModesOptions>("windowSpeed_camDegPerFrame", [](O o) { return o.speed / 100.0; }));
  }
  if (oneMode) columns.push_back(NumberColumn<ModesOptions>("step_crankDeg", [](O o) { return o.exact.StepDeg(); }));
  if (options.loads.given) {
    // At rest without --rpm: no inertia force.
    columns.push_back(NumberColumn<ModesOptions>("engineSpeed_rpm", [](O o) { return o.exact.rpm.value_or(0); }));
    const std::pair<const char*, double LoadParameters::*> parameters[] = {
        {"springRate_NPerMm", &LoadParameters::springRateNPerMm}, {"springPreload_N", &LoadParameters::springPreloadN},
        {"movingMass_g", &LoadParameters::movingMassG},           {"rollerWidth_mm", &LoadParameters::rollerWidthMm},
        {"youngsModulus_GPa", &LoadParameters::youngsModulusGPa}, {"poisson", &LoadParameters::poisson},
    };
    for (const auto& [name, member] : parameters) {
      columns.push_back(NumberColumn<ModesOptions>(
          name, [member](O o) { return o.loads.Parameters(o.exact.rpm).*member; }));
    }
    // The bodies' masses and the elastic model only where asked for: without them the
    // block stays as it was.
    if (options.loads.BodiesGiven()) {
      const std::pair<const char*, double BodyMasses::*> masses[] = {
          {"freeRollerMass_g", &BodyMasses::freeRollerG}, {"secondRollerMass_g", &BodyMasses::secondRollerG},
          {"linkMass_g", &BodyMasses::linkG},             {"rodMass_g", &BodyMasses::rodG},
      };
      for (const auto& [name, member] : masses) {
        const auto mass = member;  // a copy: the WebAssembly compiler does not capture bindings
        columns.push_back(
            NumberColumn<ModesOptions>(name, [mass](O o) { return o.loads.Parameters(o.exact.rpm).bodies.*mass; }));
      }
      columns.push_back(NumberColumn<ModesOptions>(
          "returnSpringApplied_N", [](O o) { return o.loads.Parameters(o.exact.rpm).returnSpringN; }));
    }
    if (options.loads.Friction()) {
      const auto f = [](O o) { return *o.loads.Friction(); };
      columns.push_back(NumberColumn<ModesOptions>("friction", [f](O o) { return f(o).coefficient; }));
      columns.push_back(
          NumberColumn<ModesOptions>("frictionCreep_mPerS", [f](O o) { return f(o).regularisationMPerS; }));
      columns.push_back(NumberColumn<ModesOptions>("oilViscosity_PaS", [f](O o) { return f(o).oil.viscosityPaS; }));
      columns.push_back(
          NumberColumn<ModesOptions>("pressureViscosity_PerGPa", [f](O o) { return f(o).oil.pressureViscosityPerGPa; }));
      columns.push_back(NumberColumn<ModesOptions>("roughness_um", [f](O o) { return f(o).oil.compositeRoughnessUm; }));
    }
    if (options.loads.dynamics) {
      const std::pair<const char*, double ElasticParameters::*> elastic[] = {
          {"chainStiffness_NPerMm", &ElasticParameters::chainStiffnessNPerMm},
          {"dampingRatio", &ElasticParameters::dampingRatio},
          {"springMass_g", &ElasticParameters::springMassG},
          {"seatStiffness_NPerMm", &ElasticParameters::seatStiffnessNPerMm},
      };
      for (const auto& [name, member] : elastic) {
        const auto field = member;
        columns.push_back(NumberColumn<ModesOptions>(name, [field](O o) { return o.loads.Elastic().*field; }));
      }
      columns.push_back(
          NumberColumn<ModesOptions>("springMasses", [](O o) { return long{o.loads.Elastic().springMasses}; }));
    }
    // The limits and the engine likewise only where given.
    const LimitsOptions& given = options.loads.limits;
    const std::pair<const char*, std::optional<double> LimitsOptions::*> limits[] = {
        {"limitSeparation_rpm", &LimitsOptions::minSeparationRpm},
        {"limitCamHertz_MPa", &LimitsOptions::allowableCamHertzMPa},
        {"limitPressureAngle_deg", &LimitsOptions::maxPressureAngleDeg},
        {"limitSeatingVelocity_mPerS", &LimitsOptions::maxSeatingVelocityMPerS},
    };
    for (const auto& [name, member] : limits) {
      const auto field = member;
      if (given.*field) columns.push_back(NumberColumn<ModesOptions>(name, [field](O o) { return o.loads.limits.*field; }));
    }
    if (options.loads.engine.Given()) {
      columns.push_back(NumberColumn<ModesOptions>("cylinders", [](O o) { return long{o.loads.engine.cylinders}; }));
      columns.push_back(WordsColumn<ModesOptions>(
          "firingOrder", [](O o) { return FiringOrderText(o.loads.engine.Layout().firingOrder); }));
      columns.push_back(NumberColumn<ModesOptions>("valvesPerCylinder",
                                                   [](O o) { return long{o.loads.engine.valvesPerCylinder}; }));
    }
  } else if (options.exact.svaj && options.exact.rpm) {
    columns.push_back(NumberColumn<ModesOptions>("engineSpeed_rpm", [](O o) { return o.exact.rpm; }));
  }
  if (options.tdcCrankDeg) {
    columns.push_back(NumberColumn<ModesOptions>("tdc_crankDeg", [](O o) { return o.tdcCrankDeg; }));
  }
  return columns;
}

std::string RunSettingsBlock(const ModesOptions& options) { return NoteBlock(RunSettingsColumns(options), options); }
