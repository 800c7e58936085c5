#include <benchmark/benchmark.h>

#include <thread>
#include <vector>

#include "analysis/DemonstrationRevolution.h"
#include "analysis/ModeSummary.h"

namespace {

// The default mode map: 100 x 100 modes evenly over both bars' ranges at speed 400,
// one steady revolution and its summary each, shared out over all cores as the tool
// does. Wall time counts.
void BM_DefaultModeMap(benchmark::State& bench) {
  std::vector<ModeSetting> modes;
  for (int l = 0; l < 100; ++l) {
    for (int e = 0; e < 100; ++e) modes.push_back({(2 * l * 115 + 99) / 198, -95 + (2 * e * 795 + 99) / 198});
  }
  const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  for (auto _ : bench) {
    std::vector<double> maxLift(modes.size());
    {
      std::vector<std::jthread> workers;
      for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
          DemonstrationModel model;
          DemonstrationRevolution revolution;
          for (std::size_t i = t; i < modes.size(); i += threads) {
            model.Run(modes[i], 400, revolution);
            maxLift[i] = SummariseLift(revolution.LiftCurve()).maxLiftMm.value_or(0);
          }
        });
      }
    }
    benchmark::DoNotOptimize(maxLift.data());
  }
  bench.counters["threads"] = threads;
  bench.counters["modes"] = double(modes.size());
}
BENCHMARK(BM_DefaultModeMap)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
