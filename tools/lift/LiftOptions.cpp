#include "LiftOptions.h"

#include "common/BarRanges.h"

namespace {

std::string RangeAndDefault(const BarRange& bar) {
  return "(" + std::to_string(bar.min) + " to " + std::to_string(bar.max) + ", default " + std::to_string(bar.value) +
         ")";
}

std::string Footer() {
  return HelpList("Columns (lengths in mm, the window's units; y points up)",
                  {{"revolution", "the cam revolution, counted from 1 as the animation does"},
                   {"camAngle_deg",
                    "cam angle in degrees as the animation loop computes it: a running sum of the speed, frame "
                    "after frame, which keeps the sum's rounding (358.1600000000034 at --speed 37); crank_deg "
                    "is the same angle rounded"},
                   {"bestPitchIndex", "contact point on the cam's pitch curve (7200 per turn)"},
                   {"bestLeverIndex", "contact point on the lever curve (1/30 degree per step)"},
                   {"rollerX_mm, rollerY_mm", "centre of the free roller"},
                   {"X_mm, Y_mm", "centre of the second roller"},
                   {"valveY_mm", "height of the valve pin"},
                   {"crank_deg", "crank angle, twice the cam angle, rounded to 1/100 degree"},
                   {"lift_mm",
                    "valve lift, -valveY_mm. The window's model finds the roller among sampled points, so "
                    "its lift carries about 0.002 mm of sampling noise either way: at a closed valve it "
                    "reads up to 0.002 mm above or below 0, negative included (the exact model of "
                    "torlin-modes --svaj has none)"}}) +
         "\nExample:\n  torlin-lift --lever 0 --eccentric 700 --revolutions 1\n\n" +
         HelpParagraph("Notes",
                       "The first frame after start-up comes before the lever curve has been turned once, so it "
                       "shows no real position: it is left out unless --all-frames is given. At a speed other than "
                       "400 the first revolution restarts before any frame completes, so the rows begin at "
                       "revolution 2. Numbers have a decimal point whatever the locale, in the shortest form that "
                       "reads back exactly. When the reader stops early (as with \"| head -1\"), torlin-lift is "
                       "ended quietly by SIGPIPE, as other filters are. Ctrl-C, SIGTERM and SIGHUP stop it after "
                       "the row in hand: every row written is whole. A run that ends by itself closes with \"# name,value\" "
                       "notes: the program, the design, the lever and eccentric bar values and the window's speed.") +
         "\n" +
         ExitStatusHelp("a bad option");
}

}  // namespace

LiftCommandLine::LiftCommandLine()
    : line_("torlin-lift", "[options]",
            "Runs Torlin's valve train without a window and prints, as CSV on standard output, one row per "
            "completed animation frame.") {
  const BarRange lever = LeverBar();
  const BarRange eccentric = EccentricBar();
  const BarRange speed = SpeedBar();
  options_.lever = lever.value;
  options_.eccentric = eccentric.value;
  options_.speed = speed.value;
  line_.WholeNumber("--lever", lever.min, lever.max, options_.lever,
                    "turn of the green control shaft (the lever), in 1/300 rad " + RangeAndDefault(lever));
  line_.WholeNumber("--eccentric", eccentric.min, eccentric.max, options_.eccentric,
                    "angle of the orange control shaft (the eccentric), in 1/10 degree " +
                        RangeAndDefault(eccentric));
  line_.WholeNumber("--speed", speed.min, speed.max, options_.speed,
                    "cam turn per frame, in 1/100 degree " + RangeAndDefault(speed));
  line_.WholeNumber("--revolutions", 1, kMaxRevolutions, options_.revolutions,
                    "cam revolutions to report (1 to " + std::to_string(kMaxRevolutions) + ", default " +
                        std::to_string(options_.revolutions) + ")");
  line_.Switch("--all-frames", options_.allFrames, "also print the first frame after start-up (see Notes)");
  line_.Value(
      "--design", "FILE", "a design file",
      [this](const std::string& text) {
        options_.designFile = text;
        return !text.empty();
      },
      "runs the window's kinematics (its sampled tables and search) on the mechanism this design file "
      "describes (JSON, format 1) instead of the window's; the search's sectors stay the window's, so a "
      "design laid out far from it may find no contact");
  line_.Footer(Footer());
}
