// The Explorer's computations, for its Web Worker: the same analysis/ code as the
// tools, handed to JavaScript as plain objects and typed arrays. Every computation
// names its design by the design file's text (empty: the window's design).
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cmath>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "analysis/DesignCheck.h"
#include "analysis/DesignLimitFields.h"
#include "analysis/LoadParameterFields.h"
#include "analysis/LoadSeries.h"
#include "analysis/ModeDetail.h"
#include "analysis/ModeGrid.h"
#include "analysis/SummaryQuantities.h"
#include "analysis/TargetSolver.h"
#include "animation/ControlDesign.h"
#include "animation/Linkage.h"
#include "common/ColourScaleStops.h"
#include "api/CsvNumbers.h"
#include "common/CsvColumns.h"
#include "api/LoadsMap.h"
#include "api/ModeLimitFlags.h"
#include "api/ModeMap.h"
#include "api/ModelNotes.h"
#include "api/SvajTable.h"

using emscripten::val;

namespace {

constexpr double kRadToDeg = 180 / 3.14159265358979323846;

// The load summary's values the map hands to the page per mode, under the names of
// torlin-modes' --loads columns, and how its heat maps colour them: a torque by its
// size, the separation speed up to a top (as torlin-modes --plot-dir draws them). The
// torques depend on the engine speed; the speed at which the valve separates does not.
struct MapLoadQuantity {
  const char* column;
  const char* label;
  const char* unit;
  std::optional<AtCrank> (*value)(const LoadSummary& summary);
  bool atEngineSpeed = true;
  bool colourBySize = false;
  double colourTop = 0;  // none if 0
};
constexpr MapLoadQuantity kMapLoadQuantities[] = {
    {"peakGreenShaftTorque_Nm", "peak green control shaft torque", "N m",
     [](const LoadSummary& s) { return s.green.peakNm; }, true, true},
    {"peakOrangeShaftTorque_Nm", "peak orange control shaft torque", "N m",
     [](const LoadSummary& s) { return s.orange.peakNm; }, true, true},
    {"separation_rpm", "separation speed (lowest)", "rpm", [](const LoadSummary& s) { return s.separationRpm; },
     false, false, kSeparationScaleTopRpm},
    {"peakCamHertz_MPa", "peak Hertz pressure, cam and roller", "MPa",
     [](const LoadSummary& s) { return s.peakCamHertzMPa; }},
    {"peakLeverHertz_MPa", "peak Hertz pressure, lever and roller", "MPa",
     [](const LoadSummary& s) { return s.peakLeverHertzMPa; }},
    {"peakRollerHertz_MPa", "peak Hertz pressure, two rollers", "MPa",
     [](const LoadSummary& s) { return s.peakRollerHertzMPa; }},
    {"maxPressureAngle_deg", "largest pressure angle, cam and roller", "deg",
     [](const LoadSummary& s) { return s.largestPressureAngleDeg; }, false},
};

// The load model's parameters from the page ({name: value}); a value missing or out
// of its range keeps its default, as the page holds them within range anyway.
LoadParameters LoadParametersOf(double rpm, const val& values) {
  LoadParameters parameters;
  parameters.rpm = rpm;
  for (const LoadParameterField& field : kLoadParameterFields) {
    const val value = values[field.name];
    if (!value.isNumber()) continue;
    const double number = value.as<double>();
    if (std::isfinite(number) && InRange(field, number)) parameters.*field.member = number;
  }
  return parameters;
}

// The limits from the page ({name: value}), as LoadParametersOf takes the parameters.
DesignLimits LimitsOf(const val& values) {
  DesignLimits limits;
  for (const DesignLimitField& field : kDesignLimitFields) {
    const val value = values[field.name];
    if (value.isNumber() && InRange(field, value.as<double>())) field.set(limits, value.as<double>());
  }
  return limits;
}

// What a CSV was computed with, after its rows, as torlin-modes ends its tables:
// "# name,value" lines under the same names.
void AppendSetting(std::string& block, const char* name, double value) {
  block += "# ";
  block += name;
  block += ',';
  AppendNumber(block, value);
  block += '\n';
}

// The map the worker computed last on a design: its rows and the grid they lie on,
// and, once asked for at an engine speed, its modes' load summaries.
struct Map {
  std::vector<int> levers;
  std::vector<int> eccentrics;
  std::vector<ModeSetting> grid;    // every mode, lever by lever
  std::vector<std::size_t> modes;   // the indices in grid this worker computes
  std::vector<ModeResult> results;  // of those, in their order
  std::unique_ptr<DemonstrationMapJob> job;
  int speed = 400;
  LoadParameters loadParameters;    // torlin-modes' defaults at the page's engine speed
  std::vector<double> loadAngles;
  std::vector<LoadSummary> loads;   // of modes, in their order
};

// A design as this worker knows it: built and checked once, then its mechanism, the
// window's model on it and the map computed last on it.
struct LoadedDesign {
  std::string text;  // the design file's; empty for the window's design
  MechanismPtr mechanism;  // none if the design cannot be used
  std::unique_ptr<DemonstrationModel> model;
  Map map;
};

// The designs this worker was asked about, the one asked for last in front: the
// window's and the page's two at most, so a few more are kept before the oldest goes.
constexpr std::size_t kDesignsKept = 4;
LoadedDesign& Loaded(const std::string& text) {
  static std::list<LoadedDesign> designs;
  const auto known = std::find_if(designs.begin(), designs.end(), [&](const LoadedDesign& d) { return d.text == text; });
  if (known != designs.end()) {
    designs.splice(designs.begin(), designs, known);
    return designs.front();
  }
  LoadedDesign loaded{text, text.empty() ? WindowMechanism() : CheckMechanismJson(text, "design").mechanism, nullptr, {}};
  if (loaded.mechanism) loaded.model = std::make_unique<DemonstrationModel>(loaded.mechanism);
  if (designs.size() >= kDesignsKept) designs.pop_back();
  designs.push_front(std::move(loaded));
  return designs.front();
}

// The design to compute on. The page asks only about designs checkDesign accepted,
// which every worker builds alike; should another come, the window's stands in, so
// that no call fails.
LoadedDesign& Usable(const std::string& text) {
  LoadedDesign& loaded = Loaded(text);
  return loaded.mechanism ? loaded : Loaded("");
}

// A bar's whole values within the design's range of its shaft, as torlin-modes
// --design takes them.
WholeBarRange LeverRange(const Design& d) { return WholeBarsOf(d.leverShaft); }
WholeBarRange EccentricRange(const Design& d) { return WholeBarsOf(d.eccentricShaft); }

val RangeValue(WholeBarRange range) {
  val out = val::object();
  out.set("min", range.min);
  out.set("max", range.max);
  return out;
}

// What is wrong with a design file's text, each line after the file's name as the
// tools print them (none for a design the Explorer can use), its name and its bars'
// ranges.
val CheckDesign(const std::string& text, const std::string& fileName) {
  const CheckedMechanism checked = CheckMechanismJson(text, fileName);
  val out = val::object();
  val problems = val::array();
  for (const std::string& line : checked.problems) problems.call<void>("push", line);
  out.set("problems", problems);
  if (checked.mechanism) {
    const Design& d = checked.mechanism->GetDesign();
    out.set("name", d.name);
    out.set("lever", RangeValue(LeverRange(d)));
    out.set("eccentric", RangeValue(EccentricRange(d)));
  }
  return out;
}

void AppendDesignName(std::string& block, const LoadedDesign& design) {
  block += "# design,";
  block += design.text.empty() ? std::string("built-in (the window's)") : design.mechanism->GetDesign().name;
  block += '\n';
}

val Array(const std::vector<double>& values) {
  return val::global("Float64Array").new_(val(emscripten::typed_memory_view(values.size(), values.data())));
}

val Number(std::optional<double> value) { return value && std::isfinite(*value) ? val(*value) : val::null(); }

val Range(const char* name) {
  const ControlDesign& design = ControlDesignNamed(name);
  val range = val::object();
  range.set("min", design.min);
  range.set("max", design.max);
  range.set("value", design.value);
  range.set("description", std::string(design.description));
  return range;
}

// A quantity's or parameter's name (under the given key), what it is and its unit.
val Described(const char* key, const char* name, const char* label, const char* unit) {
  val described = val::object();
  described.set(key, std::string(name));
  described.set("label", std::string(label));
  described.set("unit", std::string(unit));
  return described;
}

// How many values of each bar the page's square grid may take: as torlin-modes'
// --lever-steps and --eccentric-steps, within both bars' distinct values.
val GridRange() {
  const ControlDesign& lever = ControlDesignNamed("VScroll1");
  const ControlDesign& eccentric = ControlDesignNamed("VScroll2");
  val range = val::object();
  range.set("min", kFewestStepsPerBar);
  range.set("max", std::min(DistinctValues(lever.min, lever.max), DistinctValues(eccentric.min, eccentric.max)));
  range.set("value", kDefaultStepsPerBar);
  return range;
}

// The bars' ranges and start values, the grid's, and the columns of the summary, as
// the window and the tools have them.
val Facts() {
  val facts = val::object();
  facts.set("lever", Range("VScroll1"));
  facts.set("eccentric", Range("VScroll2"));
  facts.set("speed", Range("HScroll1"));
  facts.set("grid", GridRange());
  val target = val::object();
  target.set("maxLift", kMaxTargetLiftMm);
  target.set("maxDuration", kMaxTargetDurationDeg);
  facts.set("target", target);
  val stops = val::array();
  for (const ColourScaleStop& stop : kColourScaleStops) {
    val at = val::object();
    at.set("at", stop.at);
    at.set("red", stop.red);
    at.set("green", stop.green);
    at.set("blue", stop.blue);
    stops.call<void>("push", at);
  }
  facts.set("scaleStops", stops);
  val parameters = val::array();
  const LoadParameters defaults;
  for (const LoadParameterField& field : kLoadParameterFields) {
    val p = Described("name", field.name, field.label, field.unit);
    p.set("max", field.max);
    p.set("zeroAllowed", field.zeroAllowed);
    p.set("value", defaults.*field.member);
    parameters.call<void>("push", p);
  }
  facts.set("loadParameters", parameters);
  val limits = val::array();
  for (const DesignLimitField& field : kDesignLimitFields) {
    val l = Described("name", field.name, field.label, field.unit);
    l.set("max", field.max);
    l.set("value", Number(field.get(DesignLimits{})));
    limits.call<void>("push", l);
  }
  facts.set("limits", limits);
  facts.set("perValve", PerValveNote().title + ". " + PerValveNote().text);
  val columns = val::array();
  for (const SummaryQuantity& quantity : kSummaryQuantities) {
    columns.call<void>("push", Described("column", quantity.column, quantity.label, quantity.unit));
  }
  facts.set("summary", columns);
  val loads = val::array();
  for (const MapLoadQuantity& quantity : kMapLoadQuantities) {
    val column = Described("column", quantity.column, quantity.label, quantity.unit);
    column.set("atEngineSpeed", quantity.atEngineSpeed);
    column.set("colourBySize", quantity.colourBySize);
    column.set("colourTop", quantity.colourTop > 0 ? val(quantity.colourTop) : val::null());
    loads.call<void>("push", column);
  }
  facts.set("loads", loads);
  return facts;
}

val ShaftAngles(const std::string& design, double lever, double eccentric) {
  const ControlShaftPose pose = ControlShaftsFor(*Usable(design).mechanism, lever, eccentric);
  val angles = val::object();
  angles.set("leverDeg", pose.leverAngle * kRadToDeg);
  angles.set("eccentricDeg", pose.eccentricDeg);
  return angles;
}

// Starts this worker's part of a map of leverSteps x eccentricSteps modes over both
// bars' ranges in the design: the lever rows whose index leaves remainder part when divided by
// parts, so that workers sharing a map share its costly and cheap rows alike. Steps
// are held within what the bar has distinct values for, so no mode comes twice.
int StartMap(const std::string& design, int speed, int leverSteps, int eccentricSteps, int part, int parts) {
  LoadedDesign& loaded = Usable(design);
  const WholeBarRange lever = LeverRange(loaded.mechanism->GetDesign());
  const WholeBarRange eccentric = EccentricRange(loaded.mechanism->GetDesign());
  const auto steps = [](WholeBarRange bar, int count) {
    return std::clamp(count, kFewestStepsPerBar, DistinctValues(bar.min, bar.max));
  };
  Map& map = loaded.map;
  map = Map{};
  map.levers = EvenlySpread(lever.min, lever.max, steps(lever, leverSteps));
  map.eccentrics = EvenlySpread(eccentric.min, eccentric.max, steps(eccentric, eccentricSteps));
  map.grid = GridModes(map.levers, map.eccentrics);
  map.job = std::make_unique<DemonstrationMapJob>(loaded.mechanism, map.grid, speed);
  map.speed = speed;
  for (std::size_t row = 0; row < map.levers.size(); ++row) {
    if (parts > 0 && static_cast<int>(row % parts) == part) {
      for (std::size_t column = 0; column < map.eccentrics.size(); ++column) {
        map.modes.push_back(row * map.eccentrics.size() + column);
      }
    }
  }
  map.results.reserve(map.modes.size());
  return static_cast<int>(map.modes.size());
}

// Computes the next count modes of this worker's part; returns, per mode, its index in
// the map, its bar values and the summary's columns in order (NaN where empty).
val ContinueMap(const std::string& design, int count) {
  Map& map = Usable(design).map;
  std::vector<double> values;
  for (int i = 0; i < count && map.results.size() < map.modes.size(); ++i) {
    const std::size_t index = map.modes[map.results.size()];
    const ModeResult result = (*map.job)(index);
    const ModeSetting mode = result.mode;
    map.results.push_back(result);
    values.push_back(static_cast<double>(index));
    values.push_back(mode.lever);
    values.push_back(mode.eccentric);
    for (const SummaryQuantity& quantity : kSummaryQuantities) values.push_back(quantity.value(result.summary).value_or(NAN));
  }
  return Array(values);
}

// Starts the load summaries of this worker's part of the map at an engine speed and
// with the load model's parameters as the page has them.
int StartLoads(const std::string& design, double rpm, val parameters) {
  Map& map = Usable(design).map;
  map.loadParameters = LoadParametersOf(rpm, parameters);
  map.loadAngles = MapLoadAngles(map.speed);
  map.loads.clear();
  map.loads.reserve(map.modes.size());
  return static_cast<int>(map.modes.size());
}

// The next count modes' load summaries; returns, per mode, its index in the map and
// the values of kMapLoadQuantities in order (NaN where there is none).
val ContinueLoads(const std::string& design, int count) {
  LoadedDesign& loaded = Usable(design);
  Map& map = loaded.map;
  std::vector<double> values;
  for (int i = 0; i < count && map.loads.size() < map.modes.size(); ++i) {
    const std::size_t index = map.modes[map.loads.size()];
    const LoadSummary& summary =
        map.loads.emplace_back(MapLoadSummary(loaded.mechanism, map.grid[index], map.loadParameters, map.loadAngles));
    values.push_back(static_cast<double>(index));
    for (const MapLoadQuantity& quantity : kMapLoadQuantities) {
      const std::optional<AtCrank> at = quantity.value(summary);
      values.push_back(at && std::isfinite(at->value) ? at->value : NAN);
    }
  }
  return Array(values);
}

const CsvColumns<WithLoads<ModeResult>>& MapColumns() {
  static const CsvColumns<WithLoads<ModeResult>> columns = WithLoadsColumns(ModeMapColumns(), CrankOrigin());
  return columns;
}

// This worker's rows of the map's CSV (torlin-modes --loads), without the header, in
// the map's order; empty until its modes and their loads are complete.
std::string MapCsvRows(const std::string& design) {
  const Map& map = Usable(design).map;
  std::string csv;
  if (map.results.size() != map.modes.size() || map.loads.size() != map.modes.size()) return csv;
  for (std::size_t i = 0; i < map.results.size(); ++i) AppendCsvLine(csv, MapColumns(), {map.results[i], map.loads[i], {}});
  return csv;
}

std::string MapCsvHeader() { return CsvHeader(MapColumns()); }

// What the map's CSV was computed with: the map's speed, the load model and the design.
std::string MapCsvBlock(const std::string& design) {
  const LoadedDesign& loaded = Usable(design);
  const Map& map = loaded.map;
  std::string block;
  AppendDesignName(block, loaded);
  AppendSetting(block, "windowSpeed_camDegPerFrame", map.speed / 100.0);
  AppendSetting(block, "engineSpeed_rpm", map.loadParameters.rpm);
  for (const LoadParameterField& field : kLoadParameterFields) AppendSetting(block, field.name, map.loadParameters.*field.member);
  return block;
}

val AtCrankValue(const std::optional<AtCrank>& at) {
  if (!at || !std::isfinite(at->value)) return val::null();
  val out = val::object();
  out.set("value", at->value);
  out.set("crankDeg", at->crankDeg);
  return out;
}

// The mode's peaks by time over the continuous cycle (both sides of every jump among
// them), each with its crank angle; at a jump the jerk is an impulse of the given weight.
val Peaks(const SvajPeaks& peaks) {
  val out = val::object();
  out.set("maxLift_mm", AtCrankValue(peaks.maxLift));
  out.set("maxVelocity_mmPerS", AtCrankValue(peaks.highestVelocity));
  out.set("minVelocity_mmPerS", AtCrankValue(peaks.lowestVelocity));
  out.set("maxAcceleration_mPerS2", AtCrankValue(peaks.highestAcceleration));
  out.set("minAcceleration_mPerS2", AtCrankValue(peaks.lowestAcceleration));
  out.set("maxJerk_mPerS3", AtCrankValue(peaks.highestJerk));
  out.set("minJerk_mPerS3", AtCrankValue(peaks.lowestJerk));
  val impulses = val::array();
  for (const AtCrank& impulse : peaks.jerkImpulses) impulses.call<void>("push", AtCrankValue(impulse));
  out.set("jerkImpulses_mPerS2", impulses);
  return out;
}

val Detail(const std::string& design, double lever, double eccentric, int speed, double rpm, val loadParameters,
           val limits) {
  LoadedDesign& loaded = Usable(design);
  ModeDetailRequest request;
  request.lever = lever;
  request.eccentric = eccentric;
  request.speed = speed;
  request.rpm = rpm;
  request.loads = LoadParametersOf(rpm, loadParameters);
  request.mechanism = loaded.mechanism;
  const ModeDetail detail = DetailOf(request, *loaded.model);

  val out = val::object();
  out.set("lever", lever);
  out.set("eccentric", eccentric);
  out.set("windowLever", detail.window.lever);
  out.set("windowEccentric", detail.window.eccentric);
  out.set("leverDeg", detail.leverAngleRad * kRadToDeg);
  out.set("eccentricDeg", detail.eccentricDeg);
  out.set("maxLift", detail.continuous.maxLiftMm);
  out.set("duration", detail.continuous.durationCrankDeg);

  std::vector<double> crank, lift;
  for (const LiftSample& sample : detail.windowCurve) {
    crank.push_back(sample.crankDeg);
    lift.push_back(sample.liftMm);
  }
  out.set("windowCrank", Array(crank));
  out.set("windowLift", Array(lift));

  std::vector<double> exactCrank, exactLift, velocity, acceleration, jerk;
  for (const SvajSample& sample : detail.svaj) {
    exactCrank.push_back(sample.crankDeg);
    const bool placed = sample.svaj.outcome == ExactOutcome::Placed;
    const SvajByTime byTime = ToTimeUnits(sample.svaj, rpm);
    exactLift.push_back(placed ? sample.svaj.lift : NAN);
    velocity.push_back(placed ? byTime.velocity : NAN);
    acceleration.push_back(placed ? byTime.acceleration : NAN);
    jerk.push_back(placed ? byTime.jerk : NAN);
  }
  out.set("crank", Array(exactCrank));
  out.set("lift", Array(exactLift));
  out.set("velocity", Array(velocity));
  out.set("acceleration", Array(acceleration));
  out.set("jerk", Array(jerk));

  val rows = val::array();
  for (const ModeDetailRow& row : detail.rows) {
    val line = val::object();
    line.set("label", row.label);
    line.set("unit", row.unit);
    line.set("windowColumn", row.windowColumn);
    line.set("exactColumn", row.exactColumn);
    line.set("window", Number(row.window));
    line.set("exact", Number(row.exact));
    line.set("whole", row.whole);
    rows.call<void>("push", line);
  }
  out.set("rows", rows);
  out.set("peaks", Peaks(detail.peaks));
  val flags = val::array();
  for (const ShownLimitFlag& flag : ShownLimitFlags(detail.loads, rpm, LimitsOf(limits))) {
    val f = val::object();
    f.set("name", flag.name);
    f.set("text", flag.text);
    f.set("pastTheSpeed", flag.pastTheSpeed);
    flags.call<void>("push", f);
  }
  out.set("flags", flags);
  return out;
}

// The target solved from a map's modes as starting points: their bar values and
// maximum lift and duration above 1 mm (NaN where the valve never gets there).
val Target(const std::string& design, double liftMm, double durationDeg, val levers, val eccentrics, val lifts,
           val durations) {
  TargetSeeds seeds;
  seeds.mechanism = Usable(design).mechanism;
  seeds.levers = emscripten::vecFromJSArray<double>(levers);
  seeds.eccentrics = emscripten::vecFromJSArray<double>(eccentrics);
  const auto liftValues = emscripten::convertJSArrayToNumberVector<double>(lifts);
  const auto durationValues = emscripten::convertJSArrayToNumberVector<double>(durations);
  for (std::size_t i = 0; i < liftValues.size() && i < durationValues.size(); ++i) {
    seeds.points.push_back({std::isfinite(liftValues[i]) ? liftValues[i] : 0,
                            std::isfinite(durationValues[i]) ? durationValues[i] : 0});
  }
  const TargetAnswer answer = SolveTarget({liftMm, durationDeg}, seeds);
  val out = val::object();
  out.set("reachable", answer.reachable);
  val modes = val::array();
  for (const TargetMode& mode : answer.modes) {
    val m = val::object();
    m.set("lever", mode.lever);
    m.set("eccentric", mode.eccentric);
    m.set("lift", mode.reached.liftMm);
    m.set("duration", mode.reached.durationCrankDeg);
    modes.call<void>("push", m);
  }
  out.set("modes", modes);
  return out;
}

// The exact curves of the given modes (their whole-value window lift beside), one
// block of rows per mode, as torlin-modes --svaj writes them with the mode in front.
std::string CurvesCsv(const std::string& design, val levers, val eccentrics, int speed, double rpm, double stepDeg) {
  LoadedDesign& loaded = Usable(design);
  const auto leverValues = emscripten::vecFromJSArray<double>(levers);
  const auto eccentricValues = emscripten::vecFromJSArray<double>(eccentrics);
  const CsvColumns<SvajRow> columns = SvajColumns(rpm);
  std::string csv = "lever,eccentric," + CsvHeader(columns);
  DemonstrationRevolution revolution;
  for (std::size_t i = 0; i < leverValues.size() && i < eccentricValues.size(); ++i) {
    const ModeSetting window{static_cast<int>(std::lround(leverValues[i])), static_cast<int>(std::lround(eccentricValues[i]))};
    loaded.model->Run(window, speed, revolution);
    // The window's lift belongs to the mode only where its bar values are whole.
    if (window.lever != leverValues[i] || window.eccentric != eccentricValues[i]) revolution.frames.clear();
    std::string prefix;
    AppendNumber(prefix, leverValues[i]);
    prefix += ',';
    AppendNumber(prefix, eccentricValues[i]);
    prefix += ',';
    const ExactKinematics exact(loaded.mechanism, leverValues[i], eccentricValues[i]);
    const std::vector<CrankPlace> places = CrankPlaces(exact, SvajAngles(stepDeg, revolution));
    for (const SvajRow& row : SvajRowsAt(exact, places, revolution)) {
      csv += prefix;
      AppendCsvLine(csv, columns, row);
    }
  }
  AppendDesignName(csv, loaded);
  AppendSetting(csv, "windowSpeed_camDegPerFrame", speed / 100.0);
  AppendSetting(csv, "step_crankDeg", stepDeg);
  AppendSetting(csv, "engineSpeed_rpm", rpm);
  return csv;
}

}  // namespace

EMSCRIPTEN_BINDINGS(torlin_explorer) {
  emscripten::function("facts", &Facts);
  emscripten::function("checkDesign", &CheckDesign);
  emscripten::function("shaftAngles", &ShaftAngles);
  emscripten::function("startMap", &StartMap);
  emscripten::function("continueMap", &ContinueMap);
  emscripten::function("startLoads", &StartLoads);
  emscripten::function("continueLoads", &ContinueLoads);
  emscripten::function("mapCsvRows", &MapCsvRows);
  emscripten::function("mapCsvHeader", &MapCsvHeader);
  emscripten::function("mapCsvBlock", &MapCsvBlock);
  emscripten::function("detail", &Detail);
  emscripten::function("target", &Target);
  emscripten::function("curvesCsv", &CurvesCsv);
}
