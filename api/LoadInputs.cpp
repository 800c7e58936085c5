#include "api/LoadInputs.h"

#include <algorithm>

#include "analysis/BodyMasses.h"

LoadParameters LoadInputs::Parameters(std::optional<double> rpm) const {
  LoadParameters p;
  p.rpm = rpm.value_or(0);
  p.springRateNPerMm = springRateNPerMm.value_or(p.springRateNPerMm);
  p.springPreloadN = springPreloadN.value_or(p.springPreloadN);
  p.movingMassG = movingMassG.value_or(p.movingMassG);
  p.rollerWidthMm = rollerWidthMm.value_or(p.rollerWidthMm);
  p.youngsModulusGPa = youngsModulusGPa.value_or(p.youngsModulusGPa);
  p.poisson = poisson.value_or(p.poisson);
  p.bodies = {freeRollerMassG.value_or(0), secondRollerMassG.value_or(0), linkMassG.value_or(0), rodMassG.value_or(0)};
  p.returnSpringN = returnSpringN.value_or(0);
  return p;
}

ElasticParameters LoadInputs::Elastic() const {
  ElasticParameters e;
  e.chainStiffnessNPerMm = chainStiffnessNPerMm.value_or(e.chainStiffnessNPerMm);
  e.dampingRatio = dampingRatio.value_or(e.dampingRatio);
  e.springMassG = springMassG.value_or(e.springMassG);
  e.springMasses = springMasses;
  return e;
}

std::optional<FrictionParameters> LoadInputs::Friction() const {
  if (!frictionCoefficient) return std::nullopt;
  FrictionParameters f;
  f.coefficient = *frictionCoefficient;
  f.oil.viscosityPaS = oilViscosityPaS.value_or(f.oil.viscosityPaS);
  f.oil.pressureViscosityPerGPa = pressureViscosityPerGPa.value_or(f.oil.pressureViscosityPerGPa);
  f.oil.compositeRoughnessUm = roughnessUm.value_or(f.oil.compositeRoughnessUm);
  return f;
}

bool LoadInputs::BodiesGiven() const {
  return freeRollerMassG || secondRollerMassG || linkMassG || rodMassG || returnSpringN;
}

bool ValveKeepsMass(const LoadInputs& inputs, std::optional<double> rpm) {
  return inputs.Parameters(rpm).movingMassG > inputs.Elastic().springMassG / 3;
}

std::string HelpNumber(double value) {
  std::string text = std::to_string(value);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

std::string LoadInputField::Keyword() const {
  std::string keyword = option;
  std::replace(keyword.begin(), keyword.end(), '-', '_');
  return keyword;
}

std::string LoadInputField::RangeText() const {
  return minExcluded ? "above " + HelpNumber(min) + ", up to " + HelpNumber(max)
                     : HelpNumber(min) + " up to " + HelpNumber(max);
}

const std::vector<LoadInputField>& LoadInputFields() {
  using I = LoadInputs;
  using L = LoadLayer;
  static const std::vector<LoadInputField> fields = [] {
    const LoadParameters d;
    const BodyMasses steel = SteelBodyMasses(9.5, d.rollerWidthMm);
    const FrictionParameters f;
    const ElasticParameters e;
    return std::vector<LoadInputField>{
        {"spring-rate", "N_PER_MM", "valve spring rate in N/mm, default " + HelpNumber(d.springRateNPerMm), 0,
         kMaxSpringRateNPerMm, true, L::Loads, &I::springRateNPerMm},
        {"spring-preload", "N", "spring force on the shut valve in N, default " + HelpNumber(d.springPreloadN), 0,
         kMaxSpringPreloadN, true, L::Loads, &I::springPreloadN},
        {"moving-mass", "G", "equivalent reciprocating mass at the valve in g, default " + HelpNumber(d.movingMassG),
         0, kMaxMovingMassG, true, L::Loads, &I::movingMassG},
        {"roller-width", "MM", "length of each line contact in mm, default " + HelpNumber(d.rollerWidthMm), 0,
         kMaxRollerWidthMm, true, L::Loads, &I::rollerWidthMm},
        {"youngs-modulus", "GPA",
         "Young's modulus of all contacting parts in GPa, default " + HelpNumber(d.youngsModulusGPa), 0,
         kMaxYoungsModulusGPa, true, L::Loads, &I::youngsModulusGPa},
        // A Poisson's ratio of 0.5 or more is no solid's; 0 is a cork's.
        {"poisson", "R", "Poisson's ratio of all contacting parts, default " + HelpNumber(d.poisson), 0, kMaxPoisson,
         false, L::Loads, &I::poisson},
        {"free-roller-mass", "G",
         "mass of the free roller in g, default 0 (massless); solid steel of its size: " + HelpNumber(steel.freeRollerG),
         0, kMaxBodyMassG, false, L::Loads, &I::freeRollerMassG},
        {"second-roller-mass", "G",
         "mass of the second roller with its pin in g, default 0; solid steel: " + HelpNumber(steel.secondRollerG), 0,
         kMaxBodyMassG, false, L::Loads, &I::secondRollerMassG},
        {"link-mass", "G",
         "mass of the link (a uniform bar) in g, default 0; a steel bar of its size: " + HelpNumber(steel.linkG), 0,
         kMaxBodyMassG, false, L::Loads, &I::linkMassG},
        {"rod-mass", "G",
         "mass of the rod (a uniform bar) in g, default 0; a 6 mm steel rod: " + HelpNumber(steel.rodG) +
             " (take it out of --moving-mass, which counts it by default)",
         0, kMaxBodyMassG, false, L::Loads, &I::rodMassG},
        {"return-spring", "N", "force of a spring pressing the free roller into cam and lever at once in N, default 0",
         0, kMaxReturnSpringN, false, L::Loads, &I::returnSpringN},
        {"friction", "MU",
         "Coulomb friction coefficient at the free roller's contacts; " + HelpNumber(f.coefficient) +
             " is lubricated hardened steel, the recommended value: the rows gain each contact's slip, entrainment, "
             "friction and oil film and the rollers' spins, and their forces and torques become the frictional "
             "ones; without it the rows are frictionless",
         0, kMaxFrictionCoefficient, false, L::Loads, &I::frictionCoefficient},
        {"oil-viscosity", "PA_S",
         "the oil's viscosity at ambient pressure in Pa s, default " + HelpNumber(f.oil.viscosityPaS) +
             " (a warm 5W-30)",
         0, kMaxOilViscosityPaS, true, L::Friction, &I::oilViscosityPaS},
        {"pressure-viscosity", "PER_GPA",
         "the oil's pressure-viscosity coefficient in 1/GPa, default " + HelpNumber(f.oil.pressureViscosityPerGPa), 0,
         kMaxPressureViscosityPerGPa, true, L::Friction, &I::pressureViscosityPerGPa},
        {"roughness", "UM",
         "composite RMS roughness of the surfaces in um, default " + HelpNumber(f.oil.compositeRoughnessUm) +
             " (ground and polished, 0.2 each)",
         0, kMaxRoughnessUm, true, L::Friction, &I::roughnessUm},
        {"chain-stiffness", "N_PER_MM",
         "stiffness of the chain from the cam to the valve in N/mm, default " + HelpNumber(e.chainStiffnessNPerMm), 0,
         kMaxChainStiffnessNPerMm, false, L::Dynamics, &I::chainStiffnessNPerMm},
        {"damping-ratio", "Z",
         "damping ratio of every spring element of the elastic model, default " + HelpNumber(e.dampingRatio), 0,
         kMaxDampingRatio, false, L::Dynamics, &I::dampingRatio},
        {"spring-mass", "G",
         "the valve spring's own mass in g, default " + HelpNumber(e.springMassG) +
             " (a third of it is in --moving-mass; 0: a massless spring)",
         0, kMaxMovingMassG, false, L::Dynamics, &I::springMassG},
    };
  }();
  return fields;
}
