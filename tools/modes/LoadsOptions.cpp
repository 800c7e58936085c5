#include "LoadsOptions.h"

#include "api/ModelNotes.h"

#include "common/BarRanges.h"

LoadSettings LoadsOptions::Settings(std::optional<double> rpm) const {
  LoadSettings settings{Parameters(rpm), BodiesGiven(), Friction(), std::nullopt, std::nullopt};
  if (dynamics) settings.elastic = Elastic();
  if (engine.Given()) settings.engine = engine.Layout();
  return settings;
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
  // The load model's numbers, each with the part of the model it needs: --friction's
  // oil with --friction, the elastic model's with --dynamics.
  CLI::Option* friction = nullptr;
  CLI::Option* dynamics = nullptr;
  const auto declare = [&](LoadLayer layer, CLI::Option* needed) {
    for (const LoadInputField& field : LoadInputFields()) {
      if (field.layer != layer) continue;
      CLI::Option* option =
          line.Decimal(std::string("--") + field.option, field.placeholder, field.min, field.max, field.minExcluded,
                       target.inputs.*field.member, field.help + " (" + field.RangeText() + ")");
      line.Needs(option, needed);
      if (field.member == &LoadInputs::frictionCoefficient) friction = option;
    }
  };
  declare(LoadLayer::Loads, loads);
  declare(LoadLayer::Friction, friction);
  dynamics = line.Switch(
      "--dynamics", target.dynamics,
      "the elastic valve train beside the rigid loads at --rpm: with a --loads mode its own columns and summary "
      "lines, its loft and bounce speeds; on the map each mode's seating velocity, bounces and unloaded chain as "
      "columns (and a heat map with --plot-dir)");
  line.Needs(dynamics, loads);
  line.Needs(line.Switch("--loft-speeds", target.loftSpeeds,
                         "with --dynamics on the map: each mode's loft and bounce speeds too (some twenty elastic "
                         "cycles per mode: about a quarter of a second each, minutes for a large map)"),
             dynamics);
  declare(LoadLayer::Dynamics, dynamics);
  DeclareLimitsOptions(line, target.limits, loads);
  DeclareSeatingVelocityLimit(line, target.limits, dynamics);
  DeclareFilmRatioLimit(line, target.limits, friction);
  DeclareEngineOptions(line, target.engine, loads);
  line.Needs(line.WholeNumber("--spring-masses", kMinSpringMasses, kMaxSpringMasses, target.inputs.springMasses,
                              "coil masses the valve spring is cut into, default " +
                                  std::to_string(ElasticParameters{}.springMasses) + " (1 up to " +
                                  std::to_string(kMaxSpringMasses) + ")"),
             dynamics);
  return loads;
}

std::string LoadsOptionsConflict(const LoadsOptions& loads, const ExactOptions& exact,
                                 const std::vector<CLI::Option*>& notForOneMode) {
  if (exact.rpm && !exact.svaj && !loads.given) return "--rpm needs --svaj or --loads";
  if (exact.svajStepDeg && !exact.svaj && !loads.mode) return "--step needs --svaj or --loads LEVER,ECCENTRIC";
  if (loads.dynamics && !exact.rpm) return "--dynamics needs --rpm";
  if (loads.inputs.frictionCoefficient && !exact.rpm) return "--friction needs --rpm (at rest nothing slips)";
  if (loads.loftSpeeds && loads.mode) return "--loft-speeds is for the map: a --loads mode has its loft and bounce speeds";
  if (loads.dynamics && !ValveKeepsMass(loads.inputs, exact.rpm)) {
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



namespace {

// The load model's notes, as Python's documentation gives them too, with the tool's
// own paragraphs after the first `tool` of them.
std::string ModelNotesHelp(std::size_t tool, const std::string& toolParagraphs) {
  std::string help;
  const std::vector<ModelNote>& notes = LoadModelNotes();
  for (std::size_t i = 0; i < notes.size(); ++i) {
    if (i == tool) help += toolParagraphs;
    help += "\n" + HelpParagraph(notes[i].title, notes[i].text);
  }
  return help;
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
         ModelNotesHelp(2, "\n" + HelpParagraph("Flags against limits", LimitsHelp()) + "\n" +
                               HelpParagraph("A whole engine (--cylinders)", EngineHelp()));
}
