#include "ExactOptions.h"

#include "ModesOptions.h"
#include "common/BarRanges.h"

ExactOptionHandles DeclareExactOptions(CommandLine& line, ExactOptions& target,
                                       const std::vector<CLI::Option*>& mapOptions) {
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
  CLI::Option* step = line.Decimal("--step", "DEG", kMinSvajStepDeg, 720, false, target.svajStepDeg,
                                   "crank degrees between --svaj or --loads rows (0.001 to 720, default 0.5)");
  CLI::Option* rpm = line.Decimal("--rpm", "N", 0, kMaxRpm, true, target.rpm,
                                  "engine speed for --svaj: derivatives in mm/s, m/s^2 and m/s^3; for --loads: "
                                  "the speed of the inertia force (above 0, up to 100000)");
  return {exact, svaj, step, rpm};
}
