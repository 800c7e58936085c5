// torlin-modes: the lift, duration and timing of every mode of the two control
// shafts, as CSV on stdout, and as pictures on request.

#include <QApplication>
#include <QChart>
#include <QCoreApplication>
#include <QLocale>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ChartFile.h"
#include "ExactMap.h"
#include "Interrupt.h"
#include "MapCharts.h"
#include "ModeMap.h"
#include "ModesOptions.h"
#include "OrderedWorkers.h"
#include "ProgressBar.h"
#include "SvajOutput.h"

namespace {

constexpr int kBadOptions = 2;
constexpr int kFailed = 1;

// Qt's own notes (such as a missing runtime folder for the offscreen platform) are
// not the tool's business; its errors are.
void QuietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "torlin-modes: %s\n", message.toLocal8Bit().constData());
}

void PrintError(const QString& line) { std::fprintf(stderr, "torlin-modes: %s\n", line.toLocal8Bit().constData()); }

int ThreadCount(const ModesOptions& options) {
  if (options.threads > 0) return options.threads;
  return std::max(1, int(std::thread::hardware_concurrency()));
}

// A map row, and the window's part of it, which the pictures show.
std::string MapRow(const ModeResult& result) { return ModeMapRow(result); }
std::string MapRow(const ExactModeResult& result) { return ExactMapRow(result); }
ModeResult& DemonstrationPart(ModeResult& result) { return result; }
ModeResult& DemonstrationPart(ExactModeResult& result) { return result.demonstration; }

// Computes the map and writes its rows as they come, keeping the results only when
// pictures will need them; false if stopped early. Job is the window's kinematics,
// or those and the exact ones.
template <class Job>
bool WriteModeMap(const ModesOptions& options, const std::string& header, std::vector<ModeResult>& results) {
  const std::vector<ModeSetting> modes = GridModes(options);
  std::fputs(header.c_str(), stdout);
  const bool keep = !options.plotDir.isEmpty();
  if (keep) results.reserve(modes.size());

  ProgressBar progress(stderr, modes.size());
  OrderedWorkers::Hooks hooks;
  hooks.stopRequested = InterruptRequested;
  hooks.progress = [&](std::size_t done) { progress.Update(done); };
  const std::size_t done = OrderedWorkers::Run(
      modes.size(), ThreadCount(options), [&] { return Job(modes, options.speed); },
      [&](std::size_t, auto&& result) {
        const std::string row = MapRow(result);
        std::fwrite(row.data(), 1, row.size(), stdout);
        if (keep) results.push_back(std::move(DemonstrationPart(result)));
      },
      hooks);
  progress.Finish();
  std::fflush(stdout);
  if (done < modes.size()) {
    std::fprintf(stderr, "torlin-modes: interrupted after %zu of %zu modes; their rows are written\n", done,
                 modes.size());
    return false;
  }
  return true;
}

std::vector<LiftCurve> CurvesOf(const std::vector<ModeSetting>& modes, int speed) {
  DemonstrationModel model;
  DemonstrationRevolution revolution;
  std::vector<LiftCurve> curves;
  for (const ModeSetting& mode : modes) {
    model.Run(mode, speed, revolution);
    curves.push_back({mode, revolution.LiftCurve()});
  }
  return curves;
}

// Writes every picture; the first failure ends it with its line.
QString WritePlots(const ModesOptions& options, const std::vector<ModeResult>& results) {
  if (QString error = MakePlotDirectory(options.plotDir); !error.isEmpty()) return error;
  const MapDescription map{options.lever.text, options.eccentric.text, options.speed};
  struct Plot {
    const char* name;
    std::unique_ptr<QChart> chart;
  };
  Plot plots[] = {
      {"lift-duration", LiftDurationChart(results, map)},
      {"max-lift-map", MaxLiftMapChart(results, map)},
      {"duration-map", DurationMapChart(results, map)},
      {"lift-curves",
       LiftCurvesChart(CurvesOf(options.curves.empty() ? kDefaultCurveModes : options.curves, options.speed),
                       options.speed)},
  };
  for (Plot& plot : plots) {
    if (QString error = SaveChart(*plot.chart, options.plotDir, QLatin1String(plot.name)); !error.isEmpty()) {
      return error;
    }
  }
  return {};
}

int Run(const ModesOptions& options) {
  if (options.exact.svaj) {
    if (const QString error = WriteSvaj(options); !error.isEmpty()) {
      PrintError(error);
      return kFailed;
    }
    return 0;
  }
  std::vector<ModeResult> results;
  const bool complete = options.exact.exactMap
                            ? WriteModeMap<ExactMapJob>(options, ExactMapHeader(), results)
                            : WriteModeMap<DemonstrationMapJob>(options, ModeMapHeader(), results);
  if (!complete) return kInterruptedExitCode;
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    PrintError(QStringLiteral("could not write the rows to standard output"));
    return kFailed;
  }
  if (!options.plotDir.isEmpty()) {
    if (const QString error = WritePlots(options, results); !error.isEmpty()) {
      PrintError(error);
      return kFailed;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  const ParsedModesOptions parsed = ParseModesOptions(arguments);
  switch (parsed.outcome) {
    case ParsedModesOptions::Outcome::Help:
      std::fputs(parsed.text.toLocal8Bit().constData(), stdout);
      return 0;
    case ParsedModesOptions::Outcome::Error:
      PrintError(parsed.text);
      return kBadOptions;
    case ParsedModesOptions::Outcome::Run:
      break;
  }

  qInstallMessageHandler(QuietQtNotes);
  // Pictures are drawn offscreen: no display is needed, and none is opened.
  std::unique_ptr<QCoreApplication> app;
  if (parsed.options.plotDir.isEmpty()) {
    app = std::make_unique<QCoreApplication>(argc, argv);
  } else {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QApplication>(argc, argv);
  }
  QCoreApplication::setApplicationName(QStringLiteral("torlin-modes"));
  QLocale::setDefault(QLocale::c());

  CatchInterrupt();
  return Run(parsed.options);
}
