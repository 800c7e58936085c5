#include <benchmark/benchmark.h>

#include <thread>
#include <vector>

#include "DefaultModeGrid.h"
#include "analysis/LoadSeries.h"
#include "analysis/ParallelFor.h"
#include "analysis/SvajSeries.h"

namespace {

// One mode's loads every 0.1 crank degree (7200 angles, plus the jumps' rows), over all
// cores as torlin-modes --loads computes them. Wall time. The window's start mode, and
// the largest lift, where the valve moves longest.
void BM_LoadsOneMode(benchmark::State& bench) {
  const ExactKinematics model(static_cast<double>(bench.range(0)), static_cast<double>(bench.range(1)));
  const std::vector<double> angles = CrankAngles(0.1);
  for (auto _ : bench) {
    const std::vector<LoadRow> rows = LoadSeries(model, LoadParameters{}, angles);
    benchmark::DoNotOptimize(rows.data());
  }
  bench.counters["cores"] = std::max(1u, std::thread::hardware_concurrency());
}
BENCHMARK(BM_LoadsOneMode)->Args({60, 200})->Args({0, 700})->Unit(benchmark::kMillisecond)->UseRealTime();

// The default map's 100 x 100 modes with their load summaries: at each of the 90 frame
// angles of speed 400 and at every jump, the loads, then the mode's summary. Over all
// cores; wall time.
void BM_LoadsModeMap(benchmark::State& bench) {
  const std::vector<ModeSetting> modes = DefaultModeGrid();
  const std::vector<double> angles = CrankAngles(8);
  for (auto _ : bench) {
    std::vector<double> peaks(modes.size());
    ParallelFor(modes.size(), [&](std::size_t i) {
      const ExactKinematics model(modes[i].lever, modes[i].eccentric);
      const LoadSummary summary = SummariseLoads(LoadSeries(model, LoadParameters{}, angles, false));
      peaks[i] = summary.green.peakNm ? summary.green.peakNm->value : 0;
    });
    benchmark::DoNotOptimize(peaks.data());
  }
  bench.counters["modes"] = double(modes.size());
}
BENCHMARK(BM_LoadsModeMap)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
