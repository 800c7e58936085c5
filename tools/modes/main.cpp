// torlin-modes: the lift, duration and timing of every mode of the two control
// shafts, as CSV on stdout, and as pictures on request.

#include <QCoreApplication>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "Interrupt.h"
#include "ModeMap.h"
#include "ModesOptions.h"
#include "OrderedWorkers.h"
#include "ProgressBar.h"

namespace {

constexpr int kBadOptions = 2;
constexpr int kFailed = 1;

int ThreadCount(const ModesOptions& options) {
  if (options.threads > 0) return options.threads;
  return std::max(1, int(std::thread::hardware_concurrency()));
}

// Computes the map and writes its rows as they come; false if stopped early.
bool WriteModeMap(const ModesOptions& options, std::vector<ModeResult>& results) {
  const std::vector<ModeSetting> modes = GridModes(options);
  std::fputs(ModeMapHeader().c_str(), stdout);
  results.reserve(modes.size());

  ProgressBar progress(stderr, modes.size());
  OrderedWorkers::Hooks hooks;
  hooks.stopRequested = InterruptRequested;
  hooks.progress = [&](std::size_t done) { progress.Update(done); };
  const std::size_t done = OrderedWorkers::Run(
      modes.size(), ThreadCount(options), [&] { return DemonstrationMapJob(modes, options.speed); },
      [&](std::size_t, ModeResult&& result) {
        const std::string row = ModeMapRow(result);
        std::fwrite(row.data(), 1, row.size(), stdout);
        results.push_back(std::move(result));
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

int Run(const ModesOptions& options) {
  std::vector<ModeResult> results;
  if (!WriteModeMap(options, results)) return kInterruptedExitCode;
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fputs("torlin-modes: could not write the rows to standard output\n", stderr);
    return kFailed;
  }
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("torlin-modes"));

  const ParsedModesOptions parsed = ParseModesOptions(QCoreApplication::arguments());
  switch (parsed.outcome) {
    case ParsedModesOptions::Outcome::Help:
      std::fputs(parsed.text.toLocal8Bit().constData(), stdout);
      return 0;
    case ParsedModesOptions::Outcome::Error:
      std::fprintf(stderr, "torlin-modes: %s\n", parsed.text.toLocal8Bit().constData());
      return kBadOptions;
    case ParsedModesOptions::Outcome::Run:
      break;
  }
  CatchInterrupt();
  return Run(parsed.options);
}
