#include "ModesOptions.h"

#include <sstream>

#include "common/BarRanges.h"
#include "common/ToolOutput.h"

namespace {

std::string Text(int value) { return std::to_string(value); }

int Span(const BarRange& bar) { return DistinctValues(bar.min, bar.max); }

// FIRST:LAST:STEP within the bar; false if the text is not that.
bool ReadGrid(const std::string& text, const BarRange& bar, BarValues& target) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  for (std::string part; std::getline(stream, part, ':');) parts.push_back(part);
  if (parts.size() != 3 || text.back() == ':') return false;
  const std::optional<int> first = WholeNumberIn(parts[0], bar.min, bar.max);
  const std::optional<int> last = WholeNumberIn(parts[1], bar.min, bar.max);
  const std::optional<int> step = WholeNumberIn(parts[2], 1, Span(bar));
  if (!first || !last || !step || *first > *last) return false;
  target.values.clear();
  for (int value = *first; value <= *last; value += *step) target.values.push_back(value);
  target.text = Text(*first) + " to " + Text(target.values.back()) + " in steps of " + Text(*step);
  return true;
}

// Blank-separated LEVER,ECCENTRIC pairs, at least one and at most kMaxCurves.
bool ReadCurves(const std::string& text, std::vector<ShaftPositions>& target) {
  std::istringstream pairs(text);
  std::vector<ShaftPositions> curves;
  for (std::string pair; pairs >> pair;) {
    const std::optional<ShaftPositions> mode = ShaftPositionsOf(pair);
    if (!mode) return false;
    curves.push_back(*mode);
  }
  if (curves.empty() || curves.size() > kMaxCurves) return false;
  target = curves;
  return true;
}

std::string Footer(const BarRange& lever, const BarRange& eccentric, const BarRange& speed) {
  return HelpParagraph(
             "Bars and angles",
             "The lever bar (in the window the scroll bar under \"auto\", on the right; " + Text(lever.min) + " to " + Text(lever.max) +
                 ") turns the green control shaft by 1/300 rad per step, the lever angle being -value/300 rad; "
                 "the eccentric bar (the scroll bar under \" auto\", on the left; " + Text(eccentric.min) + " to " + Text(eccentric.max) +
                 ") turns the orange control shaft by 1/10 degree per step; the speed bar (the small horizontal scroll bar; " +
                 Text(speed.min) + " to " + Text(speed.max) +
                 ") turns the cam by 1/100 degree per frame. Crank angles are twice the cam angle, from 0 to "
                 "720 over one cycle.") +
         "\n" +
         HelpList("Map columns",
                  {{"lever, eccentric", "the bar values of the mode"},
                   {"leverAngle_rad", "angle of the green shaft, -lever/300"},
                   {"eccentricAngle_deg", "angle of the orange shaft, eccentric/10"},
                   {"maxLift_mm", "the largest valve lift over the revolution"},
                   {"maxLiftAt_crankDeg", "the first frame's crank angle at that lift"},
                   {"opens", "1 if the lift reaches 0.1 mm, else 0"},
                   {"opening0.1mm_crankDeg", "where the lift rises through 0.1 mm (interpolated between frames)"},
                   {"closing0.1mm_crankDeg", "where it falls through 0.1 mm"},
                   {"duration0.1mm_crankDeg",
                    "the crank angle from opening to closing; all three empty where the lift never reaches 0.1 mm"},
                   {"opening1mm_crankDeg, closing1mm_crankDeg, duration1mm_crankDeg", "the same at 1 mm of lift"},
                   {"unsolvedFrames", "frames whose linkage had no solution, left out of the summary"},
                   {"exact_maxLift_mm ... exact_duration1mm_crankDeg",
                    "with --exact: the summary again, from the exact model at the window's frames"},
                   {"exact_missingFrames", "frames where the exact model has no position"},
                   {"maxDifference_mm", "the largest difference between the window's lift and the exact one"},
                   {"maxDifferenceAt_crankDeg", "the crank angle where it occurs"}}) +
         "\n" +
         HelpList("--svaj columns",
                  {{"crank_deg", "crank angle: each multiple of --step, and each of the window's frames (none for "
                                 "a mode between whole bar values), and twice each crank angle where a curvature jumps"},
                   {"jumpSide", "-1 / 1: the values just before / after a curvature jump at that angle; 0 elsewhere"},
                   {"lift_mm", "valve lift of the exact model"},
                   {"velocity_mmPerCrankDeg", "and acceleration_mmPerCrankDeg2, jerk_mmPerCrankDeg3: its "
                                              "derivatives by crank angle; with --rpm velocity_mmPerS, "
                                              "acceleration_mPerS2, jerk_mPerS3 by time"},
                   {"windowLift_mm", "the window's lift at its frames, empty between them and for a mode between "
                                     "whole bar values (the window's bars take whole values only)"},
                   {"exactStatus", "placed, or why the exact model has no position (numbers then empty)"},
                   {"# maxLift_mm ... # minJerk_...",
                    "after the rows: the peaks of lift, velocity, acceleration and jerk with their crank angles "
                    "(...At_crankDeg), found over the continuous cycle, so that they do not depend on --step; "
                    "the jerk's between the jumps"},
                   {"# jerkImpulseN_...",
                    "at each jump where the acceleration steps, the jerk is a Dirac impulse: its weight, the "
                    "step of the acceleration, and where (jerkImpulseNAt_crankDeg)"}}) +
         "\n" +
         HelpList("--target columns",
                  {{"answer", "reaches: the mode gives the target (within 0.01 mm and 0.1 crank degrees); nearest: "
                              "no mode does, and this one comes nearest, 1 mm of lift weighing as much as 20 crank "
                              "degrees"},
                   {"lever, eccentric", "the bar values of the mode, any real value within the bars' ranges"},
                   {"leverAngle_rad, eccentricAngle_deg", "the two shafts' angles"},
                   {"maxLift_mm, duration1mm_crankDeg",
                    "what the exact model gives there: its largest lift and the crank angle it stays above 1 mm, "
                    "both found between samples (a mode that never reaches 1 mm has duration 0)"},
                   {"opening1mm_crankDeg, closing1mm_crankDeg, maxLiftAt_crankDeg",
                    "its timing: where the lift rises and falls through 1 mm (empty if it never gets there) and "
                    "where it is highest"}}) +
         "\n" +
         HelpParagraph("The window's model",
                       "The window finds the free roller among sampled points of two curves, so its lift carries "
                       "about 0.002 mm of sampling noise either way: at a closed valve it reads up to 0.002 mm "
                       "above or below 0, negative included. The exact model (--exact, --svaj) has none.") +
         "\n" +
         HelpParagraph("Top dead centre",
                       "Without --tdc, crank angles are the model's: twice the cam angle, as the window turns it. "
                       "With --tdc T every crank position is measured from top dead centre at T "
                       "on that axis and wrapped into 0 to 720, and its column name says so: a position's "
                       "column ends in _crankDeg without --tdc and in _crankDegFromTdc with it (the map's "
                       "maxLiftAt, opening and closing columns, their exact_ twins, maxDifferenceAt, the "
                       "--loads peaks' At columns), and the crank column of --svaj and --loads rows, crank_deg, "
                       "becomes crankFromTdc_deg (the rows keep their order); every picture's crank axis reads "
                       "\"crank angle from TDC at T\". Durations do not move; --target's timing "
                       "columns move too. T is taken as the gas-exchange TDC of an intake valve, bottom dead centre "
                       "lying 180 after it, and the map also gives the valve's events as engine people do, "
                       "each from -360 to 360: maxLiftAt_crankDegAfterTdc, opening0.1mm_crankDegBeforeTdc and "
                       "closing0.1mm_crankDegAfterBdc, and the same at 1 mm (with --exact, their exact_ twins).") +
         "\n" +
         HelpParagraph("Notes after the table",
                       "Every table ends with lines starting with '# ' (with --loads LEVER,ECCENTRIC after the "
                       "summary): \"# name,value\" for the program, the design and each setting the numbers "
                       "depend on: windowSpeed_camDegPerFrame, step_crankDeg, engineSpeed_rpm (0: at rest), the "
                       "load model's parameters and tdc_crankDeg, where the run uses them. A run stopped early "
                       "has none.") +
         "\n" + LoadsHelp() + "\n" + ProfileHelp() +
         "\nExamples:\n  torlin-modes --lever 0:115:5 --eccentric-steps 20 --plot-dir plots > modes.csv\n"
         "  torlin-modes --svaj 60,200 --step 0.1 --rpm 3000 > svaj.csv\n"
         "  torlin-modes --tdc 360 --lever 0:115:5 > modes-from-tdc.csv\n"
         "  torlin-modes --target 6,180\n"
         "  torlin-modes --loads 60,200 --rpm 6000 --step 0.5 --plot-dir plots > loads.csv\n"
         "  torlin-modes --loads --rpm 6000 > modes-loads.csv\n"
         "  torlin-modes --profile --dxf mechanism.dxf > profile.csv\n\n" +
         HelpParagraph("Stopping",
                       "Ctrl-C, SIGTERM and SIGHUP stop the work within a second: the rows done so far are written "
                       "whole and in order. A reader that stops early (| head) ends the program quietly; any "
                       "other failed write stops it with the reason.") +
         "\n" +
         ExitStatusHelp("a bad option, or a --plot-dir that cannot be used");
}

}  // namespace

ModesCommandLine::ModesCommandLine()
    : line_("torlin-modes", "[options] > modes.csv",
            "Runs the window's kinematics for every mode of a grid of the two control-shaft bars and prints, as "
            "CSV, one row per mode: the maximum valve lift and where it occurs, and the opening, closing and "
            "duration at 0.1 mm and 1 mm of lift, in crank degrees. Each mode is one steady revolution. With "
            "--plot-dir it also draws the lift-duration map, heat maps and lift curves as PNG and SVG.") {
  const BarRange lever = LeverBar();
  const BarRange eccentric = EccentricBar();
  const BarRange speed = SpeedBar();
  options_.speed = speed.value;
  CLI::Option* gridOptions[4] = {};
  int n = 0;
  for (const auto& [bar, values, steps] :
       {std::tuple{lever, &options_.lever, &leverSteps_}, std::tuple{eccentric, &options_.eccentric, &eccentricSteps_}}) {
    const std::string name = std::string("--") + bar.option;
    CLI::Option* count = line_.WholeNumber(
        name + "-steps", kFewestStepsPerBar, Span(bar), *steps,
        "number of " + std::string(bar.option) + " values, spread evenly over " + Text(bar.min) + " to " +
            Text(bar.max) + " and rounded (" + Text(kFewestStepsPerBar) + " to " + Text(Span(bar)) + ", default " + Text(kDefaultStepsPerBar) + ")");
    CLI::Option* grid = line_.Value(
        name, "FIRST:LAST:STEP",
        "FIRST:LAST:STEP, whole numbers with " + Text(bar.min) + " <= FIRST <= LAST <= " + Text(bar.max) +
            " and STEP >= 1",
        [bar, values](const std::string& text) { return ReadGrid(text, bar, *values); },
        "the " + std::string(bar.option) + " values FIRST, FIRST+STEP, ... up to LAST (within " + Text(bar.min) +
            " to " + Text(bar.max) + ")");
    line_.Excludes(count, grid);
    gridOptions[n++] = count;
    gridOptions[n++] = grid;
  }
  CLI::Option* speedOption = line_.WholeNumber("--speed", speed.min, speed.max, options_.speed,
                    "cam turn per frame, in 1/100 degree (" + Text(speed.min) + " to " + Text(speed.max) +
                        ", default " + Text(speed.value) + ")");
  CLI::Option* plotDir = line_.Value(
      "--plot-dir", "DIR", "a folder name",
      [this](const std::string& text) {
        options_.plotDir = text;
        return !text.empty();
      },
      "writes the pictures, PNG and SVG, into this folder (made if missing)");
  CLI::Option* curves = line_.Value(
      "--curves", "PAIRS",
      "up to " + Text(kMaxCurves) + " LEVER,ECCENTRIC pairs separated by blanks, " + ShaftPositionsRange() +
          " (decimals allowed)",
      [this](const std::string& text) { return ReadCurves(text, options_.curves); },
      "modes whose lift curves are drawn, as LEVER,ECCENTRIC pairs separated by blanks (up to " +
          Text(kMaxCurves) + ", decimals allowed): the window's lift, or for a mode between whole bar values, "
          "which the window's bars cannot take, the exact model's at the window's frame angles");
  line_.Needs(curves, plotDir);
  line_.Decimal("--tdc", "CRANK_DEG", -kMaxTdcDeg, kMaxTdcDeg, false, options_.tdcCrankDeg,
                "where top dead centre lies on the crank axis (-720 to 720): every crank position printed or "
                "drawn is then measured from it (see Top dead centre)");
  line_.WholeNumber("--threads", 1, kMaxThreads, options_.threads,
                    "worker threads (1 to " + Text(kMaxThreads) + ", default: one per core)");
  line_.Value(
      "--design", "FILE", "a design file",
      [this](const std::string& text) {
        options_.designFile = text;
        return !text.empty();
      },
      "runs everything on the mechanism this design file describes (JSON, format 1; see Designs) "
      "instead of the window's");
  CLI::Option* printDesign = line_.Switch(
      "--print-design", options_.printDesign,
      "prints the design (the window's, or the one --design names) as a design file and ends");
  const ExactOptionHandles exact =
      DeclareExactOptions(line_, options_.exact, {gridOptions[0], gridOptions[1], gridOptions[2], gridOptions[3], curves});
  loads_ = DeclareLoadsOptions(line_, options_.loads, exact);
  profile_ = DeclareProfileOptions(line_, options_.profile);
  // What --target, which solves the exact model for one answer, has no use for.
  line_.Excludes(speedOption, exact.target, "--target solves the exact model, which no window speed changes");
  line_.Excludes(plotDir, exact.target, "--target draws no pictures");
  for (CLI::Option* work : {exact.target, exact.exact, exact.svaj, plotDir, curves, speedOption}) {
    line_.Excludes(printDesign, work, "--print-design prints the design and does nothing else");
  }
  // What one mode's --loads rows have no use for: the map's options, and the window's
  // speed (its rows lie at every --step, not at the window's frames).
  notForOneMode_ = {gridOptions[0], gridOptions[1], gridOptions[2], gridOptions[3], curves, exact.exact, speedOption};
  line_.Footer(Footer(lever, eccentric, speed));
}

std::optional<int> ModesCommandLine::Parse(int argc, const char* const argv[]) {
  if (const std::optional<int> status = line_.Parse(argc, argv)) return status;
  options_.loads.given = loads_->count() > 0;
  if (const std::string conflict = ProfileOptionsConflict(line_, profile_); !conflict.empty()) {
    PrintError("torlin-modes", conflict);
    return kExitBadOptions;
  }
  if (const std::string conflict = LoadsOptionsConflict(options_.loads, options_.exact, notForOneMode_);
      !conflict.empty()) {
    PrintError("torlin-modes", conflict);
    return kExitBadOptions;
  }
  const BarRange lever = LeverBar();
  const BarRange eccentric = EccentricBar();
  for (const auto& [bar, values, steps] : {std::tuple{lever, &options_.lever, leverSteps_},
                                           std::tuple{eccentric, &options_.eccentric, eccentricSteps_}}) {
    if (!values->values.empty()) continue;  // chosen as FIRST:LAST:STEP
    values->values = EvenlySpread(bar.min, bar.max, steps);
    values->text = Text(steps) + " values from " + Text(bar.min) + " to " + Text(bar.max);
  }
  return std::nullopt;
}
