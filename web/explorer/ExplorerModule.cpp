// The Explorer's computations, for its Web Worker: the same analysis/ code as the
// tools, handed to JavaScript as plain objects and typed arrays. Every computation
// names its design by the design file's text (empty: the window's design).
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "analysis/DesignCheck.h"
#include "analysis/DesignLimitFields.h"
#include "analysis/LoadParameterFields.h"
#include "analysis/ModeDetail.h"
#include "analysis/ModeGrid.h"
#include "analysis/SummaryQuantities.h"
#include "analysis/TargetSolver.h"
#include "animation/ControlDesign.h"
#include "animation/Linkage.h"
#include "api/ColourScaleStops.h"
#include "api/DesignCache.h"
#include "api/MapFigures.h"
#include "api/ModeCurves.h"
#include "api/ModeLimitFlags.h"
#include "api/ModelNotes.h"
#include "api/StudyRanges.h"

using emscripten::val;

namespace {

constexpr double kRadToDeg = 180 / 3.14159265358979323846;

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

// The designs this worker was asked about: the window's and the page's two at most, so
// a few more are kept before the oldest goes. The page asks only about designs
// checkDesign accepted, which every worker builds alike.
CachedDesign& Usable(const std::string& text) {
  static DesignCache designs(4);
  return designs.Usable(text);
}

val RangeValue(WholeBarRange range) {
  val out = val::object();
  out.set("min", range.min);
  out.set("max", range.max);
  return out;
}

// What is wrong with a design file's text, each line after the file's name as the
// tools print them (none for a design the Explorer can use), its name and its bars'
// ranges of whole values, as torlin-modes --design takes them.
val CheckDesign(const std::string& text, const std::string& fileName) {
  const CheckedMechanism checked = CheckMechanismJson(text, fileName);
  val out = val::object();
  val problems = val::array();
  for (const std::string& line : checked.problems) problems.call<void>("push", line);
  out.set("problems", problems);
  if (checked.mechanism) {
    const Design& d = checked.mechanism->GetDesign();
    out.set("name", d.name);
    out.set("lever", RangeValue(WholeBarsOf(d.leverShaft)));
    out.set("eccentric", RangeValue(WholeBarsOf(d.eccentricShaft)));
  }
  return out;
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
  val rpm = val::object();
  rpm.set("min", kPageEngineSpeed.min);
  rpm.set("max", kPageEngineSpeed.max);
  rpm.set("value", kPageEngineSpeed.value);
  facts.set("rpm", rpm);
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
  for (const MapLoadFigure& figure : MapLoadFigures()) {
    val column = Described("column", figure.column, figure.label, figure.unit);
    column.set("atEngineSpeed", figure.atEngineSpeed);
    column.set("colourBySize", figure.colourBySize);
    column.set("colourTop", figure.colourTop > 0 ? val(figure.colourTop) : val::null());
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

// This worker's part of a map on the design (see MapSlices) and the modes it holds.
int StartMap(const std::string& design, int speed, int leverSteps, int eccentricSteps, int part, int parts) {
  CachedDesign& loaded = Usable(design);
  loaded.map = std::make_unique<MapSlices>(loaded.mechanism, speed, leverSteps, eccentricSteps, part, parts);
  return static_cast<int>(loaded.map->Size());
}

val ContinueMap(const std::string& design, int count) { return Array(Usable(design).Map().NextModes(count)); }

// Starts the load summaries of this worker's part of the map at an engine speed and
// with the load model's parameters as the page has them.
int StartLoads(const std::string& design, double rpm, val parameters) {
  MapSlices& map = Usable(design).Map();
  map.StartLoads(LoadParametersOf(rpm, parameters));
  return static_cast<int>(map.Size());
}

val ContinueLoads(const std::string& design, int count) { return Array(Usable(design).Map().NextLoads(count)); }

std::string MapCsvRows(const std::string& design, val limits) { return Usable(design).Map().CsvRows(LimitsOf(limits)); }

std::string MapCsvHeader() { return MapSlices::CsvHeader(); }

std::string MapCsvBlock(const std::string& design, val limits) {
  CachedDesign& loaded = Usable(design);
  GivenLimits given;
  for (const DesignLimitField& field : kDesignLimitFields) {
    const val value = limits[field.name];
    if (value.isNumber() && InRange(field, value.as<double>())) given.emplace_back(&field, value.as<double>());
  }
  return loaded.Map().CsvSettings(loaded.Name(), given);
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
  CachedDesign& loaded = Usable(design);
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

std::string CurvesCsv(const std::string& design, val levers, val eccentrics, int speed, double rpm, double stepDeg) {
  return ModeCurvesCsv(Usable(design), emscripten::vecFromJSArray<double>(levers),
                       emscripten::vecFromJSArray<double>(eccentrics), speed, rpm, stepDeg);
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
