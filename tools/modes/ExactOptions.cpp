#include "ExactOptions.h"

#include "ShaftPositionText.h"

ExactOptionHandles DeclareExactOptions(CommandLine& line, ExactOptions& target,
                                       const std::vector<CLI::Option*>& mapOptions) {
  const std::string pairRange = ShaftPositionsRange();
  CLI::Option* exact = line.Switch("--exact", target.exactMap,
                                   "adds the exact kinematics' columns to the map: the same summary from the "
                                   "continuous curves, and the largest difference between the two lifts per mode");
  CLI::Option* svaj = line.Value(
      "--svaj", "LEVER,ECCENTRIC", "LEVER,ECCENTRIC, numbers (decimals allowed) with " + pairRange,
      [&target](const std::string& text) {
        target.svaj = ShaftPositionsOf(text);
        return target.svaj.has_value();
      },
      "instead of the map: lift, velocity, acceleration and jerk of one mode from the exact kinematics, " +
          pairRange + " (decimals allowed), with the window's lift at its frames; with --plot-dir also the SVAJ "
          "plots and the window against the exact lift. The window's bars take whole values only: a mode between "
          "them has no window's lift and no window-against-exact picture");
  line.Excludes(svaj, exact);
  for (CLI::Option* option : mapOptions) line.Excludes(option, svaj);
  CLI::Option* targetOption = line.Value(
      "--target", "LIFT_MM,DURATION_DEG",
      "LIFT_MM,DURATION_DEG, a maximum lift from 0 to 30 mm and a duration above 1 mm from 0 to 720 crank degrees",
      [&point = target.target](const std::string& text) {
        point = TargetPointOf(text);
        return point.has_value();
      },
      "instead of the map: the modes, with the bars at any real value, whose exact maximum lift and duration "
      "above 1 mm are these; or, where none is, the mode nearest to them");
  line.Excludes(targetOption, exact);
  line.Excludes(svaj, targetOption);
  for (CLI::Option* option : mapOptions) line.Excludes(option, targetOption);
  CLI::Option* step = line.Decimal("--step", "DEG", kMinSvajStepDeg, kMaxSvajStepDeg, false, target.svajStepDeg,
                                   "crank degrees between --svaj or --loads rows (0.001 to 720, default 0.5)");
  CLI::Option* rpm = line.Decimal("--rpm", "N", 0, kMaxRpm, true, target.rpm,
                                  "engine speed for --svaj: derivatives in mm/s, m/s^2 and m/s^3; for --loads: "
                                  "the speed of the inertia force, at rest without it (above 0, up to 100000)");
  return {exact, svaj, step, rpm, targetOption};
}

std::optional<TargetPoint> TargetPointOf(const std::string& text) {
  const auto pair = DecimalPair(text);
  if (!pair) return std::nullopt;
  const auto [lift, duration] = *pair;
  if (lift < 0 || lift > kMaxTargetLiftMm || duration < 0 || duration > kMaxTargetDurationDeg) return std::nullopt;
  return TargetPoint{lift, duration};
}
