#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "DefaultModeGrid.h"
#include "analysis/LoadSeries.h"
#include "analysis/SvajSeries.h"
#include "api/OrderedPool.h"

namespace {

// One mode's loads every 0.1 crank degree (7200 angles, plus the jumps' rows), over all
// cores in runs of 256 as torlin-modes --loads computes them. Wall time. The window's
// start mode, and the largest lift, where the valve moves longest.
void BM_LoadsOneMode(benchmark::State& bench) {
  const ExactKinematics model(static_cast<double>(bench.range(0)), static_cast<double>(bench.range(1)));
  constexpr std::size_t kRun = 256;
  for (auto _ : bench) {
    const std::vector<CrankPlace> places = CrankPlaces(model, CrankAngles(0.1));
    std::size_t rows = 0;
    RunInOrder(
        (places.size() + kRun - 1) / kRun, 0,
        [&] {
          return [&](std::size_t run) {
            std::vector<LoadRow> part;
            for (std::size_t i = run * kRun; i < std::min(places.size(), (run + 1) * kRun); ++i) {
              part.push_back(LoadsAt(model, LoadParameters{}, places[i]));
            }
            return part;
          };
        },
        [&](std::vector<LoadRow> part) { rows += part.size(); }, [] { return false; });
    benchmark::DoNotOptimize(rows);
  }
  bench.counters["cores"] = PoolThreads(0);
}
BENCHMARK(BM_LoadsOneMode)->Args({60, 200})->Args({0, 700})->Unit(benchmark::kMillisecond)->UseRealTime();

// The default map's 100 x 100 modes with their load summaries: at each of the 90 frame
// angles of speed 400 and at every jump, the loads, then the mode's summary with its
// separation speed refined between them. Over all cores; wall time.
void BM_LoadsModeMap(benchmark::State& bench) {
  const std::vector<ModeSetting> modes = DefaultModeGrid();
  const std::vector<double> angles = CrankAngles(8);
  for (auto _ : bench) {
    std::vector<double> peaks;
    peaks.reserve(modes.size());
    const auto peakOf = [&](std::size_t i) {
      const ExactKinematics model(modes[i].lever, modes[i].eccentric);
      const LoadParameters parameters;
      const LoadSummary summary =
          SummariseLoads(model, parameters, LoadSeries(model, parameters, angles, SeatedRows::Brief));
      return summary.green.peakNm ? summary.green.peakNm->value : 0.0;
    };
    RunInOrder(
        modes.size(), 0, [&] { return peakOf; }, [&](double peak) { peaks.push_back(peak); }, [] { return false; });
    benchmark::DoNotOptimize(peaks.data());
  }
  bench.counters["modes"] = double(modes.size());
}
BENCHMARK(BM_LoadsModeMap)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
