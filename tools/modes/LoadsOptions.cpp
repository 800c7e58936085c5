#include "LoadsOptions.h"

#include "common/BarRanges.h"

namespace {

std::string Text(double value) {
  std::string text = std::to_string(value);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

}  // namespace

LoadParameters LoadsOptions::Parameters(std::optional<double> rpm) const {
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

ElasticParameters LoadsOptions::Elastic() const {
  ElasticParameters e;
  e.chainStiffnessNPerMm = chainStiffnessNPerMm.value_or(e.chainStiffnessNPerMm);
  e.dampingRatio = dampingRatio.value_or(e.dampingRatio);
  e.springMassG = springMassG.value_or(e.springMassG);
  e.springMasses = springMasses;
  return e;
}

std::optional<FrictionParameters> LoadsOptions::Friction() const {
  if (!frictionCoefficient) return std::nullopt;
  FrictionParameters f;
  f.coefficient = *frictionCoefficient;
  f.oil.viscosityPaS = oilViscosityPaS.value_or(f.oil.viscosityPaS);
  f.oil.pressureViscosityPerGPa = pressureViscosityPerGPa.value_or(f.oil.pressureViscosityPerGPa);
  f.oil.compositeRoughnessUm = roughnessUm.value_or(f.oil.compositeRoughnessUm);
  return f;
}

LoadSettings LoadsOptions::Settings(std::optional<double> rpm) const {
  LoadSettings settings{Parameters(rpm), BodiesGiven(), Friction(), std::nullopt, std::nullopt};
  if (dynamics) settings.elastic = Elastic();
  if (engine.Given()) settings.engine = engine.Layout();
  return settings;
}

bool LoadsOptions::BodiesGiven() const {
  return freeRollerMassG || secondRollerMassG || linkMassG || rodMassG || returnSpringN;
}

CLI::Option* DeclareLoadsOptions(CommandLine& line, LoadsOptions& target, const ExactOptionHandles& exact) {
  const std::string pairRange = ShaftPositionsRange();
  CLI::Option* loads = line.Value(
      "--loads", "LEVER,ECCENTRIC", "LEVER,ECCENTRIC, numbers (decimals allowed) with " + pairRange,
      [&target](const std::string& text) {
        target.mode = ShaftPositionsOf(text);
        return target.mode.has_value();
      },
      "with a mode (" + pairRange +
          ", decimals allowed): instead of the map, that mode's forces, contact pressures and shaft torques at "
          "every --step and at every curvature jump, then its summary; without one, the map gains each mode's "
          "load summary, and --plot-dir heat maps of the shaft torques, separation speed and cam pressure with "
          "labelled iso-lines at the colour bar's round values. Without --rpm the loads are taken at rest "
          "(no inertia force); the separation speed, pressure angle and cam radius do not depend on it");
  line.ValueMayBeLeftOut(loads);
  line.Excludes(exact.svaj, loads);
  line.Excludes(exact.target, loads);
  const auto parameter = [&](const char* name, const char* placeholder, double min, double max,
                             std::optional<double>& value, const std::string& help) {
    line.Needs(line.Decimal(name, placeholder, min, max, true, value,
                            help + " (above " + Text(min) + ", up to " + Text(max) + ")"),
               loads);
  };
  const LoadParameters defaults;
  parameter("--spring-rate", "N_PER_MM", 0, kMaxSpringRateNPerMm, target.springRateNPerMm,
            "valve spring rate in N/mm, default " + Text(defaults.springRateNPerMm));
  parameter("--spring-preload", "N", 0, kMaxSpringPreloadN, target.springPreloadN,
            "spring force on the shut valve in N, default " + Text(defaults.springPreloadN));
  parameter("--moving-mass", "G", 0, kMaxMovingMassG, target.movingMassG,
            "equivalent reciprocating mass at the valve in g, default " + Text(defaults.movingMassG));
  parameter("--roller-width", "MM", 0, kMaxRollerWidthMm, target.rollerWidthMm,
            "length of each line contact in mm, default " + Text(defaults.rollerWidthMm));
  parameter("--youngs-modulus", "GPA", 0, kMaxYoungsModulusGPa, target.youngsModulusGPa,
            "Young's modulus of all contacting parts in GPa, default " + Text(defaults.youngsModulusGPa));
  // A Poisson's ratio of 0.5 or more is no solid's; 0 is a cork's.
  line.Needs(line.Decimal("--poisson", "R", 0, kMaxPoisson, false, target.poisson,
                          "Poisson's ratio of all contacting parts, default " + Text(defaults.poisson) + " (0 up to 0.5)"),
             loads);
  const auto zeroOrMore = [&](const char* name, const char* placeholder, double max, std::optional<double>& value,
                              const std::string& help, CLI::Option* needed) {
    line.Needs(line.Decimal(name, placeholder, 0, max, false, value, help + " (0 up to " + Text(max) + ")"), needed);
  };
  const BodyMasses steel = SteelBodyMasses(9.5, defaults.rollerWidthMm);
  zeroOrMore("--free-roller-mass", "G", kMaxBodyMassG, target.freeRollerMassG,
             "mass of the free roller in g, default 0 (massless); solid steel of its size: " + Text(steel.freeRollerG),
             loads);
  zeroOrMore("--second-roller-mass", "G", kMaxBodyMassG, target.secondRollerMassG,
             "mass of the second roller with its pin in g, default 0; solid steel: " + Text(steel.secondRollerG), loads);
  zeroOrMore("--link-mass", "G", kMaxBodyMassG, target.linkMassG,
             "mass of the link (a uniform bar) in g, default 0; a steel bar of its size: " + Text(steel.linkG), loads);
  zeroOrMore("--rod-mass", "G", kMaxBodyMassG, target.rodMassG,
             "mass of the rod (a uniform bar) in g, default 0; a 6 mm steel rod: " + Text(steel.rodG) +
                 " (take it out of --moving-mass, which counts it by default)",
             loads);
  zeroOrMore("--return-spring", "N", kMaxReturnSpringN, target.returnSpringN,
             "force of a spring pressing the free roller into cam and lever at once in N, default 0", loads);
  const FrictionParameters friction;
  CLI::Option* frictionOption = line.Decimal(
      "--friction", "MU", 0, kMaxFrictionCoefficient, false, target.frictionCoefficient,
      "Coulomb friction coefficient at the free roller's contacts (0 up to " + Text(kMaxFrictionCoefficient) +
          "; " + Text(friction.coefficient) +
          " is lubricated hardened steel, the recommended value): the rows gain each contact's slip, "
          "entrainment, friction and oil film and the rollers' spins, and their forces and torques become the "
          "frictional ones; without it the rows are frictionless");
  line.Needs(frictionOption, loads);
  const auto oil = [&](const char* name, const char* placeholder, double max, std::optional<double>& value,
                       const std::string& help) {
    line.Needs(line.Decimal(name, placeholder, 0, max, true, value, help + " (above 0, up to " + Text(max) + ")"),
               frictionOption);
  };
  oil("--oil-viscosity", "PA_S", kMaxOilViscosityPaS, target.oilViscosityPaS,
      "the oil's viscosity at ambient pressure in Pa s, default " + Text(friction.oil.viscosityPaS) +
          " (a warm 5W-30)");
  oil("--pressure-viscosity", "PER_GPA", kMaxPressureViscosityPerGPa, target.pressureViscosityPerGPa,
      "the oil's pressure-viscosity coefficient in 1/GPa, default " + Text(friction.oil.pressureViscosityPerGPa));
  oil("--roughness", "UM", kMaxRoughnessUm, target.roughnessUm,
      "composite RMS roughness of the surfaces in um, default " + Text(friction.oil.compositeRoughnessUm) +
          " (ground and polished, 0.2 each)");
  CLI::Option* dynamics = line.Switch(
      "--dynamics", target.dynamics,
      "the elastic valve train beside the rigid loads at --rpm: with a --loads mode its own columns and summary "
      "lines, its loft and bounce speeds; on the map each mode's seating velocity, bounces and unloaded chain as "
      "columns (and a heat map with --plot-dir)");
  line.Needs(dynamics, loads);
  line.Needs(line.Switch("--loft-speeds", target.loftSpeeds,
                         "with --dynamics on the map: each mode's loft and bounce speeds too (some twenty elastic "
                         "cycles per mode: about a quarter of a second each, minutes for a large map)"),
             dynamics);
  const ElasticParameters elastic;
  zeroOrMore("--chain-stiffness", "N_PER_MM", kMaxChainStiffnessNPerMm, target.chainStiffnessNPerMm,
             "stiffness of the chain from the cam to the valve in N/mm, default " + Text(elastic.chainStiffnessNPerMm),
             dynamics);
  zeroOrMore("--damping-ratio", "Z", kMaxDampingRatio, target.dampingRatio,
             "damping ratio of every spring element of the elastic model, default " + Text(elastic.dampingRatio),
             dynamics);
  zeroOrMore("--spring-mass", "G", kMaxMovingMassG, target.springMassG,
             "the valve spring's own mass in g, default " + Text(elastic.springMassG) +
                 " (a third of it is in --moving-mass; 0: a massless spring)",
             dynamics);
  DeclareLimitsOptions(line, target.limits, loads);
  DeclareSeatingVelocityLimit(line, target.limits, dynamics);
  DeclareEngineOptions(line, target.engine, loads);
  line.Needs(line.WholeNumber("--spring-masses", 1, kMaxSpringMasses, target.springMasses,
                              "coil masses the valve spring is cut into, default " +
                                  std::to_string(elastic.springMasses) + " (1 up to " +
                                  std::to_string(kMaxSpringMasses) + ")"),
             dynamics);
  return loads;
}

std::string LoadsOptionsConflict(const LoadsOptions& loads, const ExactOptions& exact,
                                 const std::vector<CLI::Option*>& notForOneMode) {
  if (exact.rpm && !exact.svaj && !loads.given) return "--rpm needs --svaj or --loads";
  if (exact.svajStepDeg && !exact.svaj && !loads.mode) return "--step needs --svaj or --loads LEVER,ECCENTRIC";
  if (loads.dynamics && !exact.rpm) return "--dynamics needs --rpm";
  if (loads.frictionCoefficient && !exact.rpm) return "--friction needs --rpm (at rest nothing slips)";
  if (loads.loftSpeeds && loads.mode) return "--loft-speeds is for the map: a --loads mode has its loft and bounce speeds";
  if (loads.dynamics && !(loads.Parameters(exact.rpm).movingMassG > loads.Elastic().springMassG / 3)) {
    return "--moving-mass must exceed a third of --spring-mass (the valve keeps the rest)";
  }
  if (loads.engine.Given() && !loads.mode) return "--cylinders needs --loads LEVER,ECCENTRIC";
  if (std::string conflict = EngineOptionsConflict(loads.engine); !conflict.empty()) return conflict;
  if (!loads.mode) return {};
  for (const CLI::Option* option : notForOneMode) {
    if (option->count() > 0) {
      return "give --loads LEVER,ECCENTRIC or " + option->get_name() +
             ", not both: its rows are one mode's at every --step (--loads without a mode adds the loads to the map)";
    }
  }
  return {};
}

std::string LoadsModelHelp() {
  return "Planar and rigid; joints and contacts without friction (--friction adds it at the free roller's contacts); "
         "gravity neglected. Quasi-static, except one "
         "equivalent reciprocating mass at the valve (valve, retainer, keepers, rod, a third of the spring) whose "
         "inertia force is m a, a being the exact valve acceleration at --rpm; the cam turns at half the engine "
         "speed. The spring is linear: preload + rate x lift; the chain pushes the valve with that plus m a. The "
         "rod and the link are two-force members (the valve guide takes the rod's side component); the second "
         "roller's centre joins link, rod and the roller-to-roller contact; the free roller is held by three "
         "forces through its centre along the contact normals (the cam's pitch-curve normal, the lever curve's "
         "normal, the line of the roller centres). While the free roller runs on the lever's pivot arc the valve "
         "sits on its seat, which holds the spring: the chain carries nothing. A contact that would have to pull "
         "is reported as lost; a negative valve force as separated. Torques are what each shaft must exert, "
         "about the cam axis (camshaft) and the lever pivot (green: the lever; orange: the eccentric), positive "
         "the way the cam turns or the way the shaft's bar value grows. Hertz line contact (largest pressure) "
         "at cam-roller, roller-lever and roller-roller, all parts of one steel, from the radii of the working "
         "surfaces 9.5 mm off the pitch and lever curves: the cam's from the pitch curve's curvature (convex or "
         "concave; undercut where the pitch curve bends tighter than the roller), the lever's faces concave "
         "(28.5, 11 and 39.5 mm), the rollers convex (9.5 mm). The pressure angle lies between the cam's contact "
         "normal and the free roller centre's velocity. The separation speed is where spring force + m a first "
         "falls to zero somewhere in the cycle; a scales with the speed squared, so one cycle gives it. Where "
         "the roller passes from one lever arc to the next, and where the cam's lobe meets its base circle, a "
         "curvature jumps: those crank angles are found exactly and given two rows, the values just before and "
         "just after (jumpSide -1 and 1), and peaks include both.";
}

namespace {

std::string BodiesHelp() {
  return "--free-roller-mass, --second-roller-mass, --link-mass, --rod-mass give the chain's bodies mass "
         "(default 0: today's massless chain, whose numbers and columns stay exactly as they are). The rollers' "
         "centres of mass are their centres, the link and the rod are uniform bars; every body's d'Alembert force "
         "comes from its exact acceleration (automatic differentiation) and the contact forces from each body's "
         "balance; without --friction the rollers' spin takes no torque. Then each row adds contactLoss_rpm and "
         "contactLost (the engine speed at which a contact here, the valve's included, would first have to "
         "pull: the inertial part of each force grows with the speed squared) and, while the valve rests, "
         "returnSpringNeeded_N: the force of a spring pressing the free roller into cam and lever at once "
         "(along the sum of their normals) so that neither has to pull it; the summary (and the map's columns) "
         "add firstContactLoss_rpm with its crank angle and contact, over rows lifted 0.05 mm or more (below, "
         "the lift-off belongs to the seated phase), and returnSpring_N, the largest over the cycle. "
         "--return-spring N applies such a spring. A solid steel roller of 9.5 mm radius and 8 mm width weighs "
         "17.8 g.";
}

}  // namespace

std::string FrictionHelp() {
  return "--friction MU (with --rpm) puts Coulomb friction at the free roller's three contacts: cam, lever and second "
         "roller. Its coefficient at slip speed s is MU tanh(s / 0.01 m/s), regularised at small slip as multibody "
         "codes do; 0.05, the recommended value, is lubricated hardened steel in the mixed and elastohydrodynamic "
         "regimes of a roller follower (oiled steel in boundary lubrication gives 0.1 and more, a full film's "
         "traction a few hundredths). The cam turns clockwise at half the engine speed, the lever stands still "
         "during a cycle, the second roller's centre moves with the joint of link and rod; pins and joints have no "
         "friction. Each contact pushes the roller along its normal and, mu N, against the slip; those forces enter "
         "every body's balance (with the bodies' masses, their d'Alembert forces too), so the rows' forces and "
         "torques become the frictional ones. A contact that would have to pull is open and takes no friction. "
         "Each roller spins about its centre: with --free-roller-mass or --second-roller-mass it is a solid roller, "
         "I = 1/2 m r^2 (the second roller's pin counted in), and I dw/dt = friction's torque is integrated over "
         "the cycle with Boost.Odeint's Dormand-Prince pair under error control (the torques between two rows in "
         "proportion), cycle after cycle, or Newton's method on its start, until the cycle ends where it "
         "began (1e-7); without "
         "mass it spins so that friction's net torque on it is zero: the free roller rolls on the contact that "
         "holds it hardest and slides on the others, the second roller rolls on the free one. Slip is the free "
         "roller's surface speed less the other body's at the contact; entrainment the mean of both surfaces' "
         "speeds relative to the moving contact point. The oil film of each line contact: Dowson and Higginson's "
         "minimum film and Dowson and Toyoda's central film (isothermal, fully flooded, Newtonian), the oil "
         "--oil-viscosity (default 0.01 Pa s) and --pressure-viscosity (default 15 /GPa), a warm 5W-30; the film "
         "ratio lambda = minimum film / --roughness (composite, default 0.3 um). Where the entrainment speed "
         "nears zero the film vanishes: lambda below 1 means the asperities carry the load. The separation and "
         "contact-loss speeds and the return spring stay the frictionless model's. Columns camSlip_mPerS, "
         "leverSlip_mPerS, rollerSlip_mPerS, camEntrainment_mPerS (and lever, roller), camFriction_N (and lever, "
         "roller), speeds and forces in size; freeRollerSpin_radPerS, secondRollerSpin_radPerS "
         "(counter-clockwise as drawn); frictionPower_W; camshaftFrictionTorque_Nm, greenShaftFrictionTorque_Nm, "
         "orangeShaftFrictionTorque_Nm: what friction adds to each shaft's torque; camFilm_um (central), "
         "camMinFilm_um, camFilmRatio, and the same for lever and roller, where the contact carries load. Summary "
         "lines (and with --loads on the map, columns): meanFrictionPower_W, peakFrictionPower_W, peakSlip_mPerS "
         "with peakSlipContact (loaded contacts), minFilmRatio with minFilmContact, slidingContact (the one that "
         "turns most energy into heat), spinPeriodic. --friction 0 keeps the frictionless forces exactly and adds "
         "the contacts' motion and films.";
}

namespace {

std::string DynamicsHelp() {
  return "One mode's valve driven through an elastic chain by the rigid lift (sampled every 0.25 crank degree, "
         "joined by quintic Hermite pieces): the chain (--chain-stiffness, default 15000 N/mm, typical of roller "
         "valve trains) and the seat (50000 N/mm) are springs with dampers that only push, so the valve may "
         "leave the chain (loft) or the seat (bounce); the valve spring is --spring-masses equal coil masses "
         "(default 4) of --spring-mass in all (default 30 g) between equal springs, so spring surge appears; "
         "the valve keeps --moving-mass less a third of the spring's mass. --damping-ratio (default 0.1) serves "
         "every spring element. Integrated with Boost.Odeint's Dormand-Prince pair under error control, each "
         "change of contact placed on the step's dense output and the integration restarted there; cycles from "
         "rest until one ends where it began (the periodic steady state). Columns dynamicLift_mm (above its rest "
         "on the seat), dynamicVelocity_mPerS, dynamicAcceleration_mPerS2, chainForce_N, seatForce_N; summary "
         "lines: the valve's own opening and closing, seatingVelocity_mPerS (the largest impact), seatImpacts, "
         "bounces and highestBounce_mm, chainUnloaded_deg (while the rigid lift exceeds 0.05 mm), and "
         "loftSpeed_rpm and bounceSpeed_rpm: the lowest engine speeds at which the chain unloads or the valve "
         "bounces above 0.05 mm, found by stepping 1000 rpm at a time up to 16000 and halving the bracket to "
         "10 rpm. A '# warning' line says when the rigid rows do not describe the motion at --rpm.";
}

}  // namespace

std::string LoadsHelp() {
  return HelpList("--loads LEVER,ECCENTRIC columns",
                  {{"crank_deg", "crank angle (crankFromTdc_deg with --tdc: measured from it)"},
                   {"jumpSide", "-1 / 1: the values just before / after a curvature jump at that angle; 0 elsewhere"},
                   {"status", "seated, lifted, or why there is no position"},
                   {"lift_mm, springForce_N, inertiaForce_N, valveForce_N",
                    "valve lift; spring force; m a; what the chain pushes on the valve (0 while seated)"},
                   {"rodForce_N, linkForce_N", "compression positive"},
                   {"guideSideForce_N", "the guide's side push on the valve, towards the cam side (+x)"},
                   {"camContact_N, leverContact_N, rollerContact_N", "contact forces on the free roller"},
                   {"camHertz_MPa, leverHertz_MPa, rollerHertz_MPa", "largest Hertz pressure of each contact"},
                   {"camPressureAngle_deg", "between the cam's contact normal and the roller centre's velocity"},
                   {"camRadius_mm", "cam surface radius of curvature, negative where concave"},
                   {"camshaftTorque_Nm", "drive torque, positive the way the cam turns"},
                   {"greenShaftTorque_Nm, orangeShaftTorque_Nm",
                    "holding torques, positive the way each bar's value grows"},
                   {"separated, lostContact", "1 where the valve force is negative; contacts that would pull"}}) +
         "\n" +
         HelpParagraph("--loads summary and map columns",
                       "After the rows, lines starting with '# ' give the mode's summary; with --loads on the map "
                       "the same are columns: peak (largest in size, signed) and mean of each torque, with the "
                       "crank angle of the peak; peak Hertz pressure per contact; largest pressure angle and smallest "
                       "convex cam radius while the cam carries the valve; camUndercut; separation_rpm (lowest over the cycle); the "
                       "counts of separated rows and of rows with a lost contact, and which contacts.") +
         "\n" + HelpParagraph("The load model", LoadsModelHelp()) + "\n" +
         HelpParagraph("Every load is per valve",
                       "Forces and torques are those of one valve with the given spring and moving mass; where "
                       "one chain of rollers serves a pair of valves, the chain's forces and every shaft torque "
                       "are twice these.") +
         "\n" + HelpParagraph("Flags against limits", LimitsHelp()) + "\n" +
         HelpParagraph("A whole engine (--cylinders)", EngineHelp()) + "\n" +
         HelpParagraph("Bodies with mass and the return spring", BodiesHelp()) + "\n" +
         HelpParagraph("Friction, the rollers' spins and the oil film (--friction)", FrictionHelp()) + "\n" +
         HelpParagraph("The elastic valve train (--dynamics)", DynamicsHelp()) + "\n" +
         HelpParagraph("Load defaults",
                       "An intake valve of a 1.6-litre, 16-valve passenger-car engine: spring 35 N/mm with "
                       "210 N preload, 75 g moving mass, steel rollers 8 mm wide, E 210 GPa, Poisson 0.3.");
}
