// torlin-modes: the lift, duration and timing of every mode of the two control
// shafts, as CSV on stdout, and as pictures on request.

#include <QApplication>
#include <QChart>
#include <QLocale>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ChartFile.h"
#include "DynamicsPicture.h"
#include "api/DynamicsTable.h"
#include "api/EngineTable.h"
#include "api/ExactMap.h"
#include "api/FrictionTable.h"
#include "api/LoadsMap.h"
#include "LoadsOutput.h"
#include "api/LimitWarnings.h"
#include "api/MapPlan.h"
#include "MapCharts.h"
#include "api/ModeMap.h"
#include "ModesOptions.h"
#include "PlotFolder.h"
#include "ProfileOutput.h"
#include "ProgressBar.h"
#include "RunSettings.h"
#include "SummaryBlocks.h"
#include "SvajOutput.h"
#include "api/LoadStudy.h"
#include "api/SvajStudy.h"
#include "api/SvajTable.h"
#include "api/TargetSearch.h"
#include "api/TargetTable.h"
#include "common/BarRanges.h"
#include "api/CsvWriter.h"
#include "api/OrderedPool.h"
#include "common/StopSignals.h"
#include "common/ToolDesign.h"
#include "geometry/DesignFile.h"
#include "common/ToolOutput.h"

namespace {

constexpr const char* kProgram = "torlin-modes";

// Qt's own notes (such as a missing runtime folder for the offscreen platform) are
// not the tool's business; its errors are.
void QuietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) PrintError(kProgram, message.toStdString());
}

void PrintQtError(const QString& line) { PrintError(kProgram, line.toStdString()); }

// The work stops at a signal or at the first failed write.
bool StopAsked(const CheckedOutput& out) { return StopSignal() != 0 || out.Failed(); }

// After the rows: nothing if all went well, else the exit status (with its line).
std::optional<int> RowsEnded(CheckedOutput& out, std::size_t done, std::size_t total, const char* what) {
  if (!out.Flush()) {
    PrintError(kProgram, out.FailureLine());
    return kExitFailed;
  }
  if (const int signal = StopSignal(); signal != 0 && done < total) {  // a late one stops what follows
    PrintError(kProgram, done == 0 ? "stopped before the first of " + std::to_string(total) + " " + what +
                                         "; no rows are written"
                                   : "stopped after " + std::to_string(done) + " of " + std::to_string(total) + " " +
                                         what + "; their rows are written");
    return ExitStatusForSignal(signal);
  }
  return std::nullopt;
}

// The run's settings after its rows; nothing if written, else the exit status.
std::optional<int> SettingsWritten(const ModesOptions& options, CheckedOutput& out) {
  if (out.Write(RunSettingsBlock(options)) && out.Flush()) return std::nullopt;
  PrintError(kProgram, out.FailureLine());
  return kExitFailed;
}

// A map row, and the window's part of it, which the pictures show.
ModeResult& DemonstrationPart(ModeResult& result) { return result; }
ModeResult& DemonstrationPart(ExactModeResult& result) { return result.demonstration; }
template <class Base>
ModeResult& DemonstrationPart(WithLoads<Base>& result) {
  return DemonstrationPart(result.base);
}
template <class Base>
ModeResult& DemonstrationPart(WithDynamics<Base>& result) {
  return DemonstrationPart(result.base);
}

// What the map's pictures need of its rows.
struct KeptMap {
  std::vector<ModeResult> modes;
  std::vector<LoadSummary> loads;      // empty without --loads
  std::vector<FrictionSummary> friction;  // empty without --friction
  std::vector<MapDynamics> dynamics;  // empty without --dynamics
};

// The load summaries and elastic figures the pictures show, where the rows have them.
void KeepLoads(const ModeResult&, KeptMap&, bool) {}
void KeepLoads(const ExactModeResult&, KeptMap&, bool) {}
template <class Base>
void KeepLoads(const WithLoads<Base>& result, KeptMap& kept, bool friction) {
  kept.loads.push_back(result.loads);
  if (friction) kept.friction.push_back(result.friction);
}
template <class Base>
void KeepLoads(const WithDynamics<Base>& result, KeptMap& kept, bool friction) {
  KeepLoads(result.base, kept, friction);
  kept.dynamics.push_back(result.dynamics);
}

// Computes the map and writes its rows as they come, keeping the window's results
// (and the loads) when pictures will need them. makeJob gives each thread its job:
// the window's kinematics, with the exact ones and the loads as asked.
// observe sees every row as it is written.
template <class Result, class MakeJob, class Observe>
std::optional<int> WriteModeMap(const ModesOptions& options, CheckedOutput& out, KeptMap& kept,
                                const std::vector<ModeSetting>& modes, MakeJob makeJob,
                                const CsvColumns<Result>& columns, Observe observe) {
  const bool keep = !options.plotDir.empty();
  if (keep) kept.modes.reserve(modes.size());
  out.Write(CsvHeader(columns));

  ProgressBar progress(stderr, modes.size());
  std::string line;
  std::size_t delivered = 0;
  const std::size_t done = RunInOrder(
      modes.size(), options.threads, makeJob,
      [&](Result result) {
        line.clear();
        AppendCsvLine(line, columns, result);
        out.Write(line);
        observe(result);
        if (keep) {
          KeepLoads(result, kept, options.loads.Friction().has_value());
          kept.modes.push_back(std::move(DemonstrationPart(result)));
        }
        progress.Update(++delivered);
      },
      [&] { return StopAsked(out); });
  progress.Finish();
  return RowsEnded(out, done, modes.size(), "modes");
}

// The window's lift curve of each mode; for a mode between whole bar values, which
// the window cannot take, the exact model's at the window's frame angles.
std::vector<LiftCurve> CurvesOf(const std::vector<ShaftPositions>& modes, int speed) {
  DemonstrationModel model(ToolMechanism());
  DemonstrationRevolution revolution;
  std::vector<LiftCurve> curves;
  for (const ShaftPositions& mode : modes) {
    if (StopSignal() != 0) break;
    if (const std::optional<ModeSetting> window = mode.WindowSetting()) {
      model.Run(*window, speed, revolution);
      curves.push_back({mode, revolution.LiftCurve()});
      continue;
    }
    LiftCurve curve{mode, {}, true};
    for (const SvajSample& sample : SvajSeries(ExactKinematics(ToolMechanism(), mode.lever, mode.eccentric), MapLoadAngles(speed))) {
      if (sample.svaj.outcome == ExactOutcome::Placed) curve.samples.push_back({sample.crankDeg, sample.svaj.lift});
    }
    curves.push_back(std::move(curve));
  }
  return curves;
}

// Writes every picture, checking for a stop between them; the first failure ends it
// with its line.
QString WriteMapPictures(const ModesOptions& options, const std::vector<ModeResult>& results) {
  const MapDescription map{QString::fromStdString(options.lever.text), QString::fromStdString(options.eccentric.text),
                           options.speed};
  const std::string& folder = options.plotDir;
  using MakeChart = std::function<std::unique_ptr<QChart>()>;
  const std::pair<const char*, MakeChart> plots[] = {
      {"lift-duration", [&] { return LiftDurationChart(results, map); }},
      {"max-lift-map", [&] { return MaxLiftMapChart(results, map); }},
      {"duration-map", [&] { return DurationMapChart(results, map); }},
      {"lift-curves",
       [&] {
         return LiftCurvesChart(CurvesOf(options.curves.empty() ? kDefaultCurveModes : options.curves, options.speed),
                                options.speed, options.Origin());
       }},
  };
  for (const auto& [name, make] : plots) {
    if (StopSignal() != 0) return {};
    const std::unique_ptr<QChart> chart = make();
    if (StopSignal() != 0) return {};
    if (QString error = SaveChart(*chart, folder, QLatin1String(name)); !error.isEmpty()) return error;
  }
  return {};
}

constexpr const char* kStoppedWhileDrawing = "stopped while drawing the pictures; the rows are written";

// The status after the pictures: a failure's, a signal's, or 0.
int PicturesEnded(const QString& error) {
  if (!error.isEmpty()) {
    PrintQtError(error);
    return kExitFailed;
  }
  if (const int signal = StopSignal()) {
    PrintError(kProgram, kStoppedWhileDrawing);
    return ExitStatusForSignal(signal);
  }
  return 0;
}

// Draws the pictures with a watcher that ends the run on a stop signal, then reports.
// The watcher is gone before the report, so a signal that comes just as the drawing
// ends is reported once, either by the watcher or here.
template <class Draw>
int DrawPictures(Draw draw) {
  QString error;
  {
    const StopWithoutPolling drawing(kProgram, kStoppedWhileDrawing);
    error = draw();
  }
  return PicturesEnded(error);
}

int RunMap(const ModesOptions& options, CheckedOutput& out) {
  KeptMap kept;
  MapRequest request{ToolMechanism(), GridModes(options.lever.values, options.eccentric.values), options.speed,
                     options.exact.exactMap, options.Origin(), std::nullopt, options.loads.loftSpeeds,
                     options.exact.rpm, options.loads.limits.Limits()};
  if (options.loads.given) request.loads = options.loads.Settings(options.exact.rpm);
  LimitTally tally;
  const std::optional<int> ended = WithMapPlan(request, [&](auto makeJob, auto columns) {
    using Row = typename ColumnsRow<decltype(columns)>::type;
    return WriteModeMap(options, out, kept, request.modes, makeJob, columns, [&](const Row& row) {
      if constexpr (MapRowWithLoads<Row>) tally.Add(MapRowFlags(row, request.rpm, request.limits));
    });
  });
  if (!ended) out.Write(LimitTallyBlock(tally));  // a failed write is reported with the settings'
  if (ended) return *ended;
  if (const std::optional<int> failed = SettingsWritten(options, out)) return *failed;
  if (options.plotDir.empty()) return 0;
  return DrawPictures([&] {
    QString error = WriteMapPictures(options, kept.modes);
    if (error.isEmpty() && !kept.loads.empty() && StopSignal() == 0) {
      error = WriteLoadsMapPictures(options, kept.modes, kept.loads, kept.friction, kept.dynamics);
    }
    return error;
  });
}

// Computes count rows in chunks on the pool and writes each chunk as it comes, in order;
// rowsAt(first, n) computes rows first .. first + n - 1. Returns the rows written.
template <class Row, class RowsAt>
std::vector<Row> StreamRows(std::size_t count, int threads, const CsvColumns<Row>& columns, CheckedOutput& out,
                            RowsAt rowsAt) {
  std::vector<Row> written;
  written.reserve(count);
  std::string lines;
  const std::size_t tasks = (count + kRowsPerTask - 1) / kRowsPerTask;
  RunInOrder(
      tasks, threads,
      [&] {
        return [&](std::size_t task) {
          const std::size_t first = task * kRowsPerTask;
          return rowsAt(first, std::min(kRowsPerTask, count - first));
        };
      },
      [&](std::vector<Row> rows) {
        lines.clear();
        for (const Row& row : rows) AppendCsvLine(lines, columns, row);
        out.Write(lines);
        written.insert(written.end(), rows.begin(), rows.end());
      },
      [&] { return StopAsked(out); });
  return written;
}

int RunSvaj(const ModesOptions& options, CheckedOutput& out) {
  const SvajPlan plan = PlanSvaj(ToolMechanism(), *options.exact.svaj, options.exact.StepDeg(), options.speed);
  const CsvColumns<SvajRow> columns = SvajColumns(options.exact.rpm, options.Origin());
  out.Write(CsvHeader(columns));

  const std::vector<SvajRow> kept =
      StreamRows(plan.places.size(), options.threads, columns, out, [&](std::size_t first, std::size_t count) {
        return SvajRowsAt(plan.model, std::span(plan.places).subspan(first, count), plan.window);
      });
  if (const std::optional<int> ended = RowsEnded(out, kept.size(), plan.places.size(), "rows")) return *ended;
  out.Write(SvajPeaksBlock(plan.model, kept, options.exact.rpm, options.Origin()));
  if (const std::optional<int> failed = SettingsWritten(options, out)) return *failed;
  if (options.plotDir.empty()) return 0;
  return DrawPictures([&] { return WriteSvajPictures(options, kept); });
}

int RunLoads(const ModesOptions& options, CheckedOutput& out) {
  const PlannedLoads planned =
      PlanLoads(ToolMechanism(), *options.loads.mode, options.loads.Settings(options.exact.rpm), options.exact.StepDeg(),
                options.threads);
  if (!planned.plan) {
    PrintError(kProgram, planned.error);
    return kExitBadOptions;
  }
  const LoadPlan& plan = *planned.plan;
  const CrankOrigin origin = options.Origin();
  const CsvColumns<LoadLine> columns = LoadLineColumns(plan, origin);
  out.Write(CsvHeader(columns));

  const std::vector<LoadLine> lines =
      StreamRows(plan.places.size(), options.threads, columns, out,
                 [&](std::size_t first, std::size_t count) { return LoadLinesAt(plan, first, count); });
  if (const std::optional<int> ended = RowsEnded(out, lines.size(), plan.places.size(), "rows")) return *ended;
  const LoadSummary summary = SummariseLoadLines(plan, lines);
  std::string engineBlock;
  if (plan.settings.engine) {
    std::vector<EngineTorqueRow> engineRows;
    engineRows.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) engineRows.push_back({plan.places[i], lines[i].engine});
    engineBlock = EngineSummaryBlock(engineRows, origin);
  }
  const std::vector<LimitFlag> flags = PlanFlags(plan, summary, options.exact.rpm, options.loads.limits.Limits());
  out.Write(LoadSummaryBlock(summary, origin, plan.settings.bodyColumns) +
            (plan.friction ? FrictionSummaryBlock(SummariseFriction(*plan.friction), origin) : "") +
            (plan.elastic ? DynamicsSummaryBlock(*plan.elastic, plan.elasticLimits, origin) : "") + engineBlock +
            LimitWarningBlock(flags, origin) + RunSettingsBlock(options));
  if (const std::optional<int> ended = RowsEnded(out, lines.size(), plan.places.size(), "rows")) return *ended;
  if (options.plotDir.empty()) return 0;
  return DrawPictures([&] {
    std::vector<LoadRow> rows;
    rows.reserve(lines.size());
    for (const LoadLine& line : lines) rows.push_back(line.loads);
    QString error = WriteLoadsPictures(options, rows);
    if (error.isEmpty() && plan.elastic && StopSignal() == 0) error = WriteDynamicsPicture(options, *plan.elastic);
    return error;
  });
}

// The modes that reach --target, solved from the window's default map as starting
// points (as the Explorer does), one row per mode; out of reach, the nearest one.
int RunTarget(const ModesOptions& options, CheckedOutput& out) {
  const std::optional<TargetAnswer> searched =
      SearchTarget(ToolMechanism(), *options.exact.target, options.threads, [&] { return StopAsked(out); });
  if (!searched) {  // nothing is written yet: it was a signal
    PrintError(kProgram, "stopped while searching for the target; no rows are written");
    return ExitStatusForSignal(StopSignal());
  }
  const TargetAnswer& answer = *searched;
  const CsvColumns<TargetRow> columns = TargetColumns(ToolMechanism(), options.Origin());
  out.Write(CsvHeader(columns));
  std::string lines;
  for (const TargetMode& mode : answer.modes) AppendCsvLine(lines, columns, TargetRow{mode, answer.reachable});
  out.Write(lines);
  if (!answer.reachable) {
    PrintError(kProgram, "no mode reaches " + TargetText(*options.exact.target) +
                             "; the row is the nearest reachable point");
  }
  out.Write(RunSettingsBlock(options));
  if (const std::optional<int> ended = RowsEnded(out, answer.modes.size(), answer.modes.size(), "rows")) return *ended;
  return 0;
}

// The cam's surface and the lever's working face: CSV, and the drawing if asked.
int RunProfile(const ModesOptions& options, CheckedOutput& out) {
  const MechanismProfile profile = ProfileOf(*ToolMechanism());
  out.Write(ProfileCsv(profile));
  if (const std::optional<int> failed = SettingsWritten(options, out)) return *failed;
  if (options.profile.dxfPath.empty()) return 0;
  if (const std::string error = WriteProfileDxf(profile, options.profile.dxfPath); !error.empty()) {
    PrintError(kProgram, error);
    return kExitFailed;
  }
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  PrepareStandardStreams();
  CatchStopSignals();  // first: a signal at any moment ends the run the designed way
  if (const std::optional<int> status = UseDesignOfArguments(kProgram, argc, argv)) return *status;
  ModesCommandLine commandLine;
  if (const std::optional<int> status = commandLine.Parse(argc, argv)) return *status;
  const ModesOptions& options = commandLine.Options();
  if (options.printDesign) {
    CheckedOutput out;
    if (out.Write(DesignToJson(ToolMechanism()->GetDesign())) && out.Flush()) return 0;
    PrintError(kProgram, out.FailureLine());
    return kExitFailed;
  }
  if (!options.plotDir.empty()) {
    if (const std::string error = PreparePlotFolder(options.plotDir); !error.empty()) {
      PrintError(kProgram, error);
      return kExitBadOptions;
    }
  }

  // Pictures are drawn offscreen: no display is needed, and none is opened. Without
  // pictures no Qt object is needed at all.
  qInstallMessageHandler(QuietQtNotes);
  std::unique_ptr<QApplication> app;
  if (!options.plotDir.empty()) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QApplication>(argc, argv);
    QLocale::setDefault(QLocale::c());
  }
  CheckedOutput out;
  if (options.profile.given) return RunProfile(options, out);
  if (options.exact.target) return RunTarget(options, out);
  if (options.loads.mode) return RunLoads(options, out);
  return options.exact.svaj ? RunSvaj(options, out) : RunMap(options, out);
}
