#include "ExactOptions.h"

#include "ModesOptions.h"
#include "common/BarRanges.h"

void DeclareExactOptions(CommandLine& line, ExactOptions& target, const std::vector<CLI::Option*>& mapOptions) {
  const BarRange lever = LeverBar();
  const BarRange eccentric = EccentricBar();
  const std::string pairRange = "LEVER from " + std::to_string(lever.min) + " to " + std::to_string(lever.max) +
                                " and ECCENTRIC from " + std::to_string(eccentric.min) + " to " +
                                std::to_string(eccentric.max);
  CLI::Option* exact = line.Switch("--exact", target.exactMap,
                                   "adds the exact kinematics' columns to the map: the same summary from the "
                                   "continuous curves, and the largest difference between the two lifts per mode");
  CLI::Option* svaj = line.Value(
      "--svaj", "LEVER,ECCENTRIC", "LEVER,ECCENTRIC, whole numbers with " + pairRange,
      [&target](const std::string& text) {
        target.svaj = ModeSettingOf(text);
        return target.svaj.has_value();
      },
      "instead of the map: lift, velocity, acceleration and jerk of one mode from the exact kinematics, " +
          pairRange + ", with the window's lift at its frames; with --plot-dir also the SVAJ plots and the "
          "window against the exact lift");
  svaj->excludes(exact);
  for (CLI::Option* option : mapOptions) svaj->excludes(option);
  line.Decimal("--step", "DEG", kMinSvajStepDeg, 720, false, target.svajStepDeg,
               "crank degrees between --svaj rows (0.001 to 720, default 0.5)")
      ->needs(svaj);
  line.Decimal("--rpm", "N", 0, kMaxRpm, true, target.rpm,
               "engine speed for --svaj: derivatives in mm/s, m/s^2 and m/s^3 (above 0, up to 100000)")
      ->needs(svaj);
}
