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
#include "ExactMap.h"
#include "MapCharts.h"
#include "ModeMap.h"
#include "ModesOptions.h"
#include "PlotFolder.h"
#include "ProgressBar.h"
#include "SvajOutput.h"
#include "SvajTable.h"
#include "TargetTable.h"
#include "common/BarRanges.h"
#include "common/OrderedPool.h"
#include "common/StopSignals.h"
#include "common/ToolOutput.h"

namespace {

constexpr const char* kProgram = "torlin-modes";
constexpr std::size_t kSvajRowsPerTask = 256;

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
    PrintError(kProgram, "stopped after " + std::to_string(done) + " of " + std::to_string(total) + " " + what +
                             "; their rows are written");
    return ExitStatusForSignal(signal);
  }
  return std::nullopt;
}

// A map row, and the window's part of it, which the pictures show.
const CsvColumns<ModeResult>& ColumnsFor(const ModeResult*) { return ModeMapColumns(); }
const CsvColumns<ExactModeResult>& ColumnsFor(const ExactModeResult*) { return ExactMapColumns(); }
ModeResult& DemonstrationPart(ModeResult& result) { return result; }
ModeResult& DemonstrationPart(ExactModeResult& result) { return result.demonstration; }

// Computes the map and writes its rows as they come, keeping the window's results
// when pictures will need them. Job is the window's kinematics, or those and the
// exact ones.
template <class Job>
std::optional<int> WriteModeMap(const ModesOptions& options, CheckedOutput& out, std::vector<ModeResult>& kept) {
  using Result = decltype(std::declval<Job&>()(std::size_t{}));
  const CsvColumns<Result>& columns = ColumnsFor(static_cast<const Result*>(nullptr));
  const std::vector<ModeSetting> modes = GridModes(options.lever.values, options.eccentric.values);
  const bool keep = !options.plotDir.empty();
  if (keep) kept.reserve(modes.size());
  out.Write(CsvHeader(columns));

  ProgressBar progress(stderr, modes.size());
  std::size_t written = 0;
  std::string line;
  const std::size_t done = RunInOrder(
      modes.size(), options.threads, [&] { return Job(modes, options.speed); },
      [&](Result result) {
        line.clear();
        AppendCsvLine(line, columns, result);
        out.Write(line);
        if (keep) kept.push_back(std::move(DemonstrationPart(result)));
        progress.Update(++written);
      },
      [&] { return StopAsked(out); });
  progress.Finish();
  return RowsEnded(out, done, modes.size(), "modes");
}

std::vector<LiftCurve> CurvesOf(const std::vector<ModeSetting>& modes, int speed) {
  DemonstrationModel model;
  DemonstrationRevolution revolution;
  std::vector<LiftCurve> curves;
  for (const ModeSetting& mode : modes) {
    if (StopSignal() != 0) break;
    model.Run(mode, speed, revolution);
    curves.push_back({mode, revolution.LiftCurve()});
  }
  return curves;
}

// Writes every picture, checking for a stop between them; the first failure ends it
// with its line.
QString WriteMapPictures(const ModesOptions& options, const std::vector<ModeResult>& results) {
  const MapDescription map{QString::fromStdString(options.lever.text), QString::fromStdString(options.eccentric.text),
                           options.speed};
  const QString folder = QString::fromStdString(options.plotDir);
  using MakeChart = std::function<std::unique_ptr<QChart>()>;
  const std::pair<const char*, MakeChart> plots[] = {
      {"lift-duration", [&] { return LiftDurationChart(results, map); }},
      {"max-lift-map", [&] { return MaxLiftMapChart(results, map); }},
      {"duration-map", [&] { return DurationMapChart(results, map); }},
      {"lift-curves",
       [&] {
         return LiftCurvesChart(CurvesOf(options.curves.empty() ? kDefaultCurveModes : options.curves, options.speed),
                                options.speed);
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

int RunMap(const ModesOptions& options, CheckedOutput& out) {
  std::vector<ModeResult> results;
  const std::optional<int> ended = options.exact.exactMap ? WriteModeMap<ExactMapJob>(options, out, results)
                                                          : WriteModeMap<DemonstrationMapJob>(options, out, results);
  if (ended) return *ended;
  if (options.plotDir.empty()) return 0;
  const StopWithoutPolling drawing(kProgram, kStoppedWhileDrawing);
  return PicturesEnded(WriteMapPictures(options, results));
}

int RunSvaj(const ModesOptions& options, CheckedOutput& out) {
  const ModeSetting mode = *options.exact.svaj;
  const ExactKinematics model(mode.lever, mode.eccentric);
  DemonstrationModel windowModel;
  DemonstrationRevolution window;
  windowModel.Run(mode, options.speed, window);
  const std::vector<double> angles = SvajAngles(options.exact.StepDeg(), window);
  const CsvColumns<SvajRow> columns = SvajColumns(options.exact.rpm);
  out.Write(CsvHeader(columns));

  const bool keep = !options.plotDir.empty();
  std::vector<SvajRow> kept;
  std::string lines;
  const std::size_t tasks = (angles.size() + kSvajRowsPerTask - 1) / kSvajRowsPerTask;
  const auto rowsOfTask = [&] {
    return [&](std::size_t task) {
      const std::size_t first = task * kSvajRowsPerTask;
      const std::size_t count = std::min(kSvajRowsPerTask, angles.size() - first);
      return SvajRowsAt(model, std::span(angles).subspan(first, count), window);
    };
  };
  std::size_t rowsDone = 0;
  RunInOrder(
      tasks, options.threads, rowsOfTask,
      [&](std::vector<SvajRow> rows) {
        lines.clear();
        for (const SvajRow& row : rows) AppendCsvLine(lines, columns, row);
        out.Write(lines);
        rowsDone += rows.size();
        if (keep) kept.insert(kept.end(), rows.begin(), rows.end());
      },
      [&] { return StopAsked(out); });
  if (const std::optional<int> ended = RowsEnded(out, rowsDone, angles.size(), "rows")) return *ended;
  if (!keep) return 0;
  const StopWithoutPolling drawing(kProgram, kStoppedWhileDrawing);
  return PicturesEnded(WriteSvajPictures(options, kept));
}

// The modes that reach --target, solved from the window's default map as starting
// points (as the Explorer does), one row per mode; out of reach, the nearest one.
int RunTarget(const ModesOptions& options, CheckedOutput& out) {
  const BarRange lever = LeverBar();
  const BarRange eccentric = EccentricBar();
  const std::vector<int> levers = EvenlySpread(lever.min, lever.max, kDefaultStepsPerBar);
  const std::vector<int> eccentrics = EvenlySpread(eccentric.min, eccentric.max, kDefaultStepsPerBar);
  const std::vector<ModeSetting> modes = GridModes(levers, eccentrics);
  TargetSeeds seeds{{levers.begin(), levers.end()}, {eccentrics.begin(), eccentrics.end()}, {}};
  seeds.points.reserve(modes.size());
  const std::size_t done = RunInOrder(
      modes.size(), options.threads, [&] { return DemonstrationMapJob(modes, SpeedBar().value); },
      [&](const ModeResult& result) {
        seeds.points.push_back({result.summary.maxLiftMm.value_or(0), result.summary.atFullLift.durationCrankDeg.value_or(0)});
      },
      [&] { return StopAsked(out); });
  if (done < modes.size()) return RowsEnded(out, 0, 1, "targets").value_or(kExitFailed);
  const TargetAnswer answer = SolveTarget(*options.exact.target, seeds);
  const CsvColumns<TargetRow> columns = TargetColumns();
  out.Write(CsvHeader(columns));
  std::string lines;
  for (const TargetMode& mode : answer.modes) AppendCsvLine(lines, columns, TargetRow{mode, answer.reachable});
  out.Write(lines);
  if (!answer.reachable) {
    PrintError(kProgram, "no mode reaches " + TargetText(*options.exact.target) +
                             "; the row is the nearest reachable point");
  }
  if (const std::optional<int> ended = RowsEnded(out, answer.modes.size(), answer.modes.size(), "rows")) return *ended;
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  PrepareStandardStreams();
  ModesCommandLine commandLine;
  if (const std::optional<int> status = commandLine.Parse(argc, argv)) return *status;
  const ModesOptions& options = commandLine.Options();
  if (!options.plotDir.empty()) {
    if (const std::string error = PreparePlotFolder(options.plotDir); !error.empty()) {
      PrintError(kProgram, error);
      return kExitBadOptions;
    }
  }
  CatchStopSignals();

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
  if (options.exact.target) return RunTarget(options, out);
  return options.exact.svaj ? RunSvaj(options, out) : RunMap(options, out);
}
