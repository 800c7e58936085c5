#include <benchmark/benchmark.h>

#include <vector>

#include "BenchDesigns.h"
#include "DefaultModeGrid.h"
#include "analysis/DemonstrationRevolution.h"
#include "analysis/ModeSummary.h"
#include "api/OrderedPool.h"

namespace {

// The default mode map: 100 x 100 modes evenly over both bars' ranges at speed 400,
// one steady revolution and its summary each, shared out over all cores by the
// tool's own workers. Wall time counts. On the window's mechanism, the same read
// from its design file (which must cost no more), and the smooth-lever design;
// every worker shares the one mechanism.
void BM_DefaultModeMap(benchmark::State& bench) {
  const std::vector<ModeSetting> modes = DefaultModeGrid();
  const int threads = PoolThreads(0);
  const MechanismPtr mechanism = BenchMechanism(static_cast<int>(bench.range(0)));
  struct Job {
    Job(const std::vector<ModeSetting>& all, const MechanismPtr& mechanism)
        : modes(&all), model(std::make_unique<DemonstrationModel>(mechanism)) {}
    const std::vector<ModeSetting>* modes;
    std::unique_ptr<DemonstrationModel> model;
    DemonstrationRevolution revolution;

    ModeSummary operator()(std::size_t i) {
      model->Run((*modes)[i], 400, revolution);
      return SummariseLift(revolution.LiftCurve());
    }
  };
  for (auto _ : bench) {
    double highest = 0;
    const std::size_t done = RunInOrder(
        modes.size(), threads, [&] { return Job(modes, mechanism); },
        [&](ModeSummary summary) { highest = std::max(highest, summary.maxLiftMm.value_or(0)); }, [] { return false; });
    benchmark::DoNotOptimize(highest);
    if (done != modes.size()) bench.SkipWithError("the map stopped early");
  }
  bench.counters["threads"] = threads;
  bench.counters["modes"] = double(modes.size());
}
BENCHMARK(BM_DefaultModeMap)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
