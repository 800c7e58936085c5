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
  } else if (options.exact.svaj && options.exact.rpm) {
    columns.push_back(NumberColumn<ModesOptions>("engineSpeed_rpm", [](O o) { return o.exact.rpm; }));
  }
  if (options.tdcCrankDeg) {
    columns.push_back(NumberColumn<ModesOptions>("tdc_crankDeg", [](O o) { return o.tdcCrankDeg; }));
  }
  return columns;
}

std::string RunSettingsBlock(const ModesOptions& options) { return NoteBlock(RunSettingsColumns(options), options); }
