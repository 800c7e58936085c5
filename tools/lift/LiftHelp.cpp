#include "LiftHelp.h"

#include "LiftOptions.h"

namespace {

// "(min to max, default d)" for a numeric option.
// Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) about a literal
// put in front of a temporary string.
std::string RangeAndDefault(const OptionRange& range, int fallback) {
  std::string text = "(";
  text += std::to_string(range.min);
  text += " to ";
  text += std::to_string(range.max);
  text += ", default ";
  text += std::to_string(fallback);
  text += ")";
  return text;
}

}  // namespace

std::string LiftHelpText() {
  const LiftOptions defaults;
  return "Usage: torlin-lift [options]\n"
         "\n"
         "Runs Torlin's valve train without a window and prints, as CSV on standard\n"
         "output, one row per completed animation frame.\n"
         "\n"
         "Options:\n"
         "  --lever N         turn of the green control shaft (the lever), in 1/300 rad\n"
         "                    " + RangeAndDefault(kLeverRange, defaults.lever) + "\n"
         "  --eccentric N     angle of the orange control shaft, in 1/10 degree\n"
         "                    " + RangeAndDefault(kEccentricRange, defaults.eccentric) + "\n"
         "  --speed N         cam turn per frame, in 1/100 degree\n"
         "                    " + RangeAndDefault(kSpeedRange, defaults.speed) + "\n"
         "  --revolutions N   cam revolutions to report\n"
         "                    " + RangeAndDefault(kRevolutionsRange, defaults.revolutions) + "\n"
         "  --all-frames      also print the first frame after start-up (see Notes)\n"
         "  -h, --help        show this help and exit\n"
         "  --version         show the version and exit\n"
         "\n"
         "Columns (lengths in mm, the window's units; y points up):\n"
         "  revolution        the cam revolution, counted from 1 as the animation does\n"
         "  camAngle          cam angle in degrees\n"
         "  bestPitchIndex    contact point on the cam's pitch curve (7200 per turn)\n"
         "  bestLeverIndex    contact point on the lever curve (1/30 degree per step)\n"
         "  rollerX, rollerY  centre of the free roller\n"
         "  X, Y              centre of the second roller\n"
         "  valveY            height of the valve pin; the valve lift is -valveY\n"
         "\n"
         "Example:\n"
         "  torlin-lift --lever 0 --eccentric 700 --revolutions 1\n"
         "\n"
         "Notes:\n"
         "  The first frame after start-up comes before the lever curve has been\n"
         "  turned once, so it shows no real position: it is left out unless\n"
         "  --all-frames is given.\n"
         "  At a speed other than 400 the first revolution restarts before any frame\n"
         "  completes, so the rows begin at revolution 2.\n"
         "  Numbers have a decimal point whatever the locale, in the shortest form\n"
         "  that reads back exactly.\n"
         "  When the reader stops early (as with \"| head -1\"), torlin-lift is ended\n"
         "  quietly by SIGPIPE, as other filters are.\n"
         "  Exit status: 0 done, 1 a write failed, 2 a bad option.\n";
}
