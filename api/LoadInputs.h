#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/ElasticParameters.h"
#include "analysis/FrictionParameters.h"
#include "analysis/LoadParameters.h"

// The load model's settable numbers as a person gives them: each none for its default.
// The tools' options and Python's keyword arguments are both made from the one list of
// fields below, so their names, units, ranges and defaults cannot drift apart.
struct LoadInputs {
  std::optional<double> springRateNPerMm;
  std::optional<double> springPreloadN;
  std::optional<double> movingMassG;
  std::optional<double> rollerWidthMm;
  std::optional<double> youngsModulusGPa;
  std::optional<double> poisson;
  // The chain's bodies with mass, and the free roller's return spring.
  std::optional<double> freeRollerMassG;
  std::optional<double> secondRollerMassG;
  std::optional<double> linkMassG;
  std::optional<double> rodMassG;
  std::optional<double> returnSpringN;
  // Friction at the free roller's contacts, the rollers' spins and the oil film.
  std::optional<double> frictionCoefficient;
  std::optional<double> oilViscosityPaS;
  std::optional<double> pressureViscosityPerGPa;
  std::optional<double> roughnessUm;
  // The elastic valve train.
  std::optional<double> chainStiffnessNPerMm;
  std::optional<double> dampingRatio;
  std::optional<double> springMassG;
  int springMasses = ElasticParameters{}.springMasses;

  // At the engine speed rpm, or at rest (no inertia) without one.
  LoadParameters Parameters(std::optional<double> rpm) const;
  ElasticParameters Elastic() const;
  // Without a friction coefficient: none (the frictionless rows).
  std::optional<FrictionParameters> Friction() const;
  // Whether any body's mass or the return spring is given: their columns are shown.
  bool BodiesGiven() const;
};

// Whether the valve keeps some of its moving mass once the elastic model takes a third
// of the spring's mass out of it: the elastic model needs it to.
bool ValveKeepsMass(const LoadInputs& inputs, std::optional<double> rpm);

// Which part of the model a field belongs to: it is taken only with that part.
enum class LoadLayer { Loads, Friction, Dynamics };

// A settable number: its option (without the dashes; Python's keyword is the same in
// snake case), the option's placeholder, what it is with its unit and default, its range
// (from min, or above it where minExcluded, up to max) and where it goes.
struct LoadInputField {
  const char* option;
  const char* placeholder;
  std::string help;
  double min;
  double max;
  bool minExcluded;
  LoadLayer layer;
  std::optional<double> LoadInputs::*member;

  std::string Keyword() const;    // "spring_rate"
  std::string RangeText() const;  // "above 0, up to 1000" or "0 up to 1"
  bool InRange(double value) const { return value <= max && (minExcluded ? value > min : value >= min); }
};
const std::vector<LoadInputField>& LoadInputFields();

// The spring's coil masses of the elastic model, from 1 up to this.
inline constexpr int kMinSpringMasses = 1;

// A number as the help texts write it: no trailing zeros.
std::string HelpNumber(double value);
