#include "Studies.h"

#include <pybind11/stl.h>

#include "DesignBinding.h"
#include "LoadArguments.h"
#include "Pool.h"
#include "TableArrays.h"
#include "animation/ControlDesign.h"
#include "api/DynamicsMap.h"
#include "api/FrameRecorder.h"
#include "api/FrictionTable.h"
#include "api/LiftColumns.h"
#include "api/LimitWarnings.h"
#include "api/LoadStudy.h"
#include "api/LoadsTable.h"
#include "api/SvajStudy.h"
#include "api/TargetSearch.h"
#include "api/TargetTable.h"

namespace torlin_python {

namespace {

const ControlDesign& SpeedBar() { return ControlDesignNamed("HScroll1"); }

int CheckedSpeed(int speed) {
  if (speed < SpeedBar().min || speed > SpeedBar().max) {
    Refuse("speed must be from " + std::to_string(SpeedBar().min) + " to " + std::to_string(SpeedBar().max) +
           " (the window's speed bar), not " + std::to_string(speed));
  }
  return speed;
}

double CheckedStep(double step) {
  if (!(step >= kMinSvajStepDeg && step <= kMaxSvajStepDeg)) {
    Refuse("step must be from " + std::to_string(kMinSvajStepDeg).substr(0, 5) + " to " +
           std::to_string(int(kMaxSvajStepDeg)) + " crank degrees");
  }
  return step;
}

CrankOrigin CheckedOrigin(std::optional<double> tdc) {
  if (tdc && !(*tdc >= -kMaxTdcDeg && *tdc <= kMaxTdcDeg)) Refuse("tdc must be from -720 to 720 crank degrees");
  return CrankOrigin(tdc);
}

py::dict Svaj(const PyDesign& design, const std::vector<double>& levers, const std::vector<double>& eccentrics,
              double step, std::optional<double> rpm, int speed, std::optional<double> tdc, int threads) {
  const std::vector<ShaftPositions> modes = CheckedPositions(design, levers, eccentrics);
  CheckedStep(step);
  CheckedSpeed(speed);
  const CrankOrigin origin = CheckedOrigin(tdc);
  if (rpm && !(*rpm > 0 && *rpm <= kMaxRpm)) Refuse("rpm must be above 0, up to 100000");
  CheckedThreads(threads);
  const std::vector<SvajPlan> plans = OnPool(modes.size(), threads, [&] {
    return [&](std::size_t i) { return PlanSvaj(design.mechanism, modes[i], step, speed); };
  });
  // The rows in tasks of kRowsPerTask, as torlin-modes --svaj shares them, so that one
  // mode's table uses every thread too.
  struct Share {
    std::size_t mode, first, count;
  };
  std::vector<Share> shares;
  for (std::size_t m = 0; m < plans.size(); ++m) {
    const std::size_t count = plans[m].places.size();
    for (std::size_t first = 0; first < count; first += kRowsPerTask) {
      shares.push_back({m, first, std::min(kRowsPerTask, count - first)});
    }
  }
  const auto parts = OnPool(shares.size(), threads, [&] {
    return [&](std::size_t k) {
      const Share& share = shares[k];
      const SvajPlan& plan = plans[share.mode];
      return SvajRowsAt(plan.model, std::span(plan.places).subspan(share.first, share.count), plan.window);
    };
  });
  std::vector<std::vector<SvajRow>> rows(plans.size());
  for (std::size_t k = 0; k < shares.size(); ++k) {
    rows[shares[k].mode].insert(rows[shares[k].mode].end(), parts[k].begin(), parts[k].end());
  }
  return BatchArrays(SvajColumns(rpm, origin), rows);
}

// One mode's load table with what the summary lines say.
struct ModeLoads {
  std::optional<LoadPlan> plan;
  std::string error;
  std::vector<LoadLine> lines;
  LoadSummary summary;
  FrictionSummary friction;
  MapDynamics dynamics;
  std::vector<LimitFlag> flags;  // the limits crossed, as the tool's warning lines
};

py::tuple Loads(const PyDesign& design, const std::vector<double>& levers, const std::vector<double>& eccentrics,
                double step, std::optional<double> tdc, int threads, const LoadArguments& arguments,
                const std::map<std::string, double>& limitArguments) {
  const std::vector<ShaftPositions> modes = CheckedPositions(design, levers, eccentrics);
  CheckedStep(step);
  const CrankOrigin origin = CheckedOrigin(tdc);
  const LoadSettings settings = CheckedSettings(arguments);
  const DesignLimits limits = CheckedLimits(limitArguments, arguments);
  std::vector<ModeLoads> results = OnPool(modes.size(), CheckedThreads(threads), [&] {
    return [&](std::size_t i) {
      PlannedLoads planned = PlanLoads(design.mechanism, modes[i], settings, step, threads);
      ModeLoads result{std::move(planned.plan), std::move(planned.error), {}, {}, {}, {}, {}};
      if (!result.plan) return result;
      const LoadPlan& plan = *result.plan;
      result.lines = LoadLinesAt(plan, 0, plan.places.size());
      result.summary = SummariseLoadLines(plan, result.lines);
      if (plan.friction) result.friction = SummariseFriction(*plan.friction);
      if (plan.elastic) result.dynamics = MapDynamicsOf(*plan.elastic, plan.elasticLimits);
      result.flags = PlanFlags(plan, result.summary, arguments.rpm, limits);
      return result;
    };
  });
  for (const ModeLoads& result : results) {
    if (!result.plan) Refuse(result.error);
  }
  std::vector<std::vector<LoadLine>> lines;
  std::vector<std::vector<ModeLoads>> summaries;
  lines.reserve(results.size());
  for (ModeLoads& result : results) lines.push_back(std::move(result.lines));
  TableColumns<ModeLoads> summaryColumns;
  AppendColumns(summaryColumns, LoadSummaryColumns(origin, settings.bodyColumns),
                [](const ModeLoads& m) -> const LoadSummary& { return m.summary; });
  if (settings.friction) {
    AppendColumns(summaryColumns, FrictionSummaryColumns(origin),
                  [](const ModeLoads& m) -> const FrictionSummary& { return m.friction; });
  }
  if (settings.elastic) {
    AppendColumns(summaryColumns, MapDynamicsColumns(true), [](const ModeLoads& m) -> const MapDynamics& { return m.dynamics; });
  }
  summaryColumns.push_back(WordsColumn<ModeLoads>("exceededLimits", [](const ModeLoads& m) { return LimitNames(m.flags); }));
  summaryColumns.push_back(WordsColumn<ModeLoads>("warnings", [origin](const ModeLoads& m) {
    std::string lines;
    for (const LimitFlag& flag : m.flags) lines += (lines.empty() ? "" : "\n") + LimitWarningText(flag, origin);
    return lines;
  }));
  for (ModeLoads& result : results) summaries.push_back({std::move(result)});
  // Every mode's plan has the same layers: the first one's columns serve all.
  const TableColumns<LoadLine> columns =
      summaries.empty() ? TableColumns<LoadLine>{} : LoadLineColumns(*summaries.front().front().plan, origin);
  return py::make_tuple(BatchArrays(columns, lines), BatchArrays(summaryColumns, summaries, true));
}

py::dict Frames(const PyDesign& design, int lever, int eccentric, int speed, int revolutions, bool allFrames) {
  CheckedPositions(design, {double(lever)}, {double(eccentric)}, true);
  CheckedSpeed(speed);
  if (revolutions < 1 || revolutions > 1000) Refuse("revolutions must be 1 up to 1000");
  std::vector<std::vector<FrameReport>> frames(1);
  {
    py::gil_scoped_release release;
    RecordFrames(design.mechanism, {lever, eccentric, speed, revolutions, allFrames}, [&](const FrameReport& report) {
      frames.front().push_back(report);
      return true;
    });
  }
  return BatchArrays(LiftColumns(), frames);
}

py::dict Target(const PyDesign& design, double liftMm, double durationDeg, std::optional<double> tdc, int threads) {
  if (!(liftMm >= 0 && liftMm <= kMaxTargetLiftMm && durationDeg >= 0 && durationDeg <= kMaxTargetDurationDeg)) {
    Refuse("the target must be a lift from 0 to 30 mm and a duration from 0 to 720 crank degrees");
  }
  const CrankOrigin origin = CheckedOrigin(tdc);
  CheckedThreads(threads);
  std::optional<TargetAnswer> answer;
  {
    py::gil_scoped_release release;
    answer = SearchTarget(design.mechanism, {liftMm, durationDeg}, threads);
  }
  std::vector<std::vector<TargetRow>> rows(1);
  for (const TargetMode& mode : answer->modes) rows.front().push_back({mode, answer->reachable});
  return BatchArrays(TargetColumns(design.mechanism, origin), rows);
}

}  // namespace

void RegisterStudies(py::module_& module) {
  module.def("svaj", &Svaj, py::arg("design"), py::arg("levers"), py::arg("eccentrics"), py::arg("step"),
             py::arg("rpm"), py::arg("speed"), py::arg("tdc"), py::arg("threads"));
  module.def(
      "loads",
      [](const PyDesign& design, const std::vector<double>& levers, const std::vector<double>& eccentrics, double step,
         std::optional<double> tdc, int threads, std::map<std::string, double> numbers, std::optional<double> rpm,
         bool dynamics, int springMasses, int cylinders, std::vector<int> firingOrder, int valvesPerCylinder,
         const std::map<std::string, double>& limits) {
        return Loads(design, levers, eccentrics, step, tdc, threads,
                     {std::move(numbers), rpm, dynamics, springMasses, cylinders, std::move(firingOrder),
                      valvesPerCylinder},
                     limits);
      },
      py::arg("design"), py::arg("levers"), py::arg("eccentrics"), py::arg("step"), py::arg("tdc"),
      py::arg("threads"), py::arg("numbers"), py::arg("rpm"), py::arg("dynamics"), py::arg("spring_masses"),
      py::arg("cylinders"), py::arg("firing_order"), py::arg("valves_per_cylinder"), py::arg("limits"));
  module.def("frames", &Frames, py::arg("design"), py::arg("lever"), py::arg("eccentric"), py::arg("speed"),
             py::arg("revolutions"), py::arg("all_frames"));
  module.def("target", &Target, py::arg("design"), py::arg("lift_mm"), py::arg("duration_deg"), py::arg("tdc"),
             py::arg("threads"));
}

}  // namespace torlin_python
