#include "LimitsOptions.h"

#include <charconv>

#include "analysis/DesignLimitFields.h"
#include "api/LoadInputs.h"

DesignLimits LimitsOptions::Limits() const {
  DesignLimits limits;
  limits.minSeparationRpm = minSeparationRpm;
  limits.allowableCamHertzMPa = allowableCamHertzMPa.value_or(limits.allowableCamHertzMPa);
  limits.maxPressureAngleDeg = maxPressureAngleDeg.value_or(limits.maxPressureAngleDeg);
  limits.maxSeatingVelocityMPerS = maxSeatingVelocityMPerS.value_or(limits.maxSeatingVelocityMPerS);
  limits.minFilmRatio = minFilmRatio.value_or(limits.minFilmRatio);
  return limits;
}

bool LimitsOptions::Given() const {
  return minSeparationRpm || allowableCamHertzMPa || maxPressureAngleDeg || maxSeatingVelocityMPerS || minFilmRatio;
}

void DeclareLimitsOptions(CommandLine& line, LimitsOptions& target, CLI::Option* loads) {
  const DesignLimits defaults;
  line.Needs(line.Decimal("--min-separation-rpm", "RPM", 0, kMaxLimitRpm, true, target.minSeparationRpm,
                          "flags separation and contact loss below this engine speed, default --rpm (a lower "
                          "one is not taken: above 0, up to " + HelpNumber(kMaxLimitRpm) + ")"),
             loads);
  line.Needs(line.Decimal("--allowable-hertz", "MPA", 0, kMaxLimitHertzMPa, true, target.allowableCamHertzMPa,
                          "flags a cam Hertz pressure above this, default " + HelpNumber(defaults.allowableCamHertzMPa) +
                              " (above 0, up to " + HelpNumber(kMaxLimitHertzMPa) + ")"),
             loads);
  line.Needs(line.Decimal("--max-pressure-angle", "DEG", 0, kMaxLimitAngleDeg, true, target.maxPressureAngleDeg,
                          "flags a cam pressure angle above this, default " + HelpNumber(defaults.maxPressureAngleDeg) +
                              " (above 0, up to " + HelpNumber(kMaxLimitAngleDeg) + ")"),
             loads);
}

CLI::Option* DeclareSeatingVelocityLimit(CommandLine& line, LimitsOptions& target, CLI::Option* dynamics) {
  const DesignLimits defaults;
  CLI::Option* option =
      line.Decimal("--max-seating-velocity", "M_PER_S", 0, kMaxLimitSeatingVelocityMPerS, true,
                   target.maxSeatingVelocityMPerS,
                   "flags a seating velocity above this, default " + HelpNumber(defaults.maxSeatingVelocityMPerS) +
                       " (above 0, up to " + HelpNumber(kMaxLimitSeatingVelocityMPerS) + ")");
  line.Needs(option, dynamics);
  return option;
}

void DeclareFilmRatioLimit(CommandLine& line, LimitsOptions& target, CLI::Option* friction) {
  line.Needs(line.Decimal("--min-film-ratio", "LAMBDA", 0, kMaxLimitFilmRatio, true, target.minFilmRatio,
                          "flags a film ratio lambda below this at a loaded contact, default " +
                              HelpNumber(DesignLimits{}.minFilmRatio) + " (above 0, up to " + HelpNumber(kMaxLimitFilmRatio) +
                              ")"),
             friction);
}

std::string LimitsHelp() {
  const DesignLimits d;
  return "Each mode is judged against limits a designer must not exceed; every limit crossed gives a line "
         "'# warning,...' after the summary (with --loads on the map, the column exceededLimits names them and "
         "a warning line after the rows counts the modes). Separation and contact loss below the engine speed "
         "--rpm (or the higher --min-separation-rpm; then the rows past that speed no longer describe the "
         "motion and the warning says so); a cam Hertz pressure above --allowable-hertz (default " +
         HelpNumber(d.allowableCamHertzMPa) +
         " MPa, typical of a hardened steel roller on a cast-iron cam); a pressure angle above "
         "--max-pressure-angle (default " +
         HelpNumber(d.maxPressureAngleDeg) +
         " degrees, the common guideline for roller followers: beyond it the side push grows fast and, with "
         "friction, the cam's force with it); with --dynamics a seating velocity above --max-seating-velocity "
         "(default " +
         HelpNumber(d.maxSeatingVelocityMPerS) +
         " m/s at the engine speed, the usual guideline for seat and face wear); with --friction a film ratio "
         "lambda below --min-film-ratio (default " +
         HelpNumber(d.minFilmRatio) +
         ": below it the asperities carry the load, boundary lubrication). A value on its limit passes.";
}
