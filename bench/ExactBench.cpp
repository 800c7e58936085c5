#include <benchmark/benchmark.h>

#include <thread>
#include <vector>

#include "DefaultModeGrid.h"
#include "analysis/ExactKinematics.h"
#include "analysis/ModeSetting.h"
#include "analysis/ModeSummary.h"
#include "analysis/ParallelFor.h"
#include "analysis/SvajSeries.h"

namespace {

// One mode's lift, velocity, acceleration and jerk every 0.1 crank degree over the
// cycle (7200 points), over all cores as torlin-modes --svaj computes them. Wall time.
// The window's start mode, and the largest lift, where the valve moves longest.
void BM_ExactSvajOneMode(benchmark::State& bench) {
  const ExactKinematics model(static_cast<int>(bench.range(0)), static_cast<int>(bench.range(1)));
  for (auto _ : bench) {
    const std::vector<SvajSample> series = SvajSeries(model, 0.1);
    benchmark::DoNotOptimize(series.data());
  }
  bench.counters["cores"] = std::max(1u, std::thread::hardware_concurrency());
}
BENCHMARK(BM_ExactSvajOneMode)->Args({60, 200})->Args({0, 700})->Unit(benchmark::kMillisecond)->UseRealTime();

// The default map's 100 x 100 modes from the exact kinematics: at each of the 90 frame
// angles of speed 400 the exact lift, then the mode's summary. Over all cores; wall time.
void BM_ExactModeMap(benchmark::State& bench) {
  const std::vector<ModeSetting> modes = DefaultModeGrid();
  for (auto _ : bench) {
    std::vector<double> maxLift(modes.size());
    ParallelFor(modes.size(), [&](std::size_t i) {
      const ExactKinematics model(modes[i].lever, modes[i].eccentric);
      std::vector<LiftSample> curve;
      curve.reserve(90);
      for (int frame = 0; frame < 90; ++frame) {
        const double crank = 8.0 * frame;
        curve.push_back({crank, -model.PoseAt(crank).valveY});
      }
      maxLift[i] = SummariseLift(curve).maxLiftMm.value_or(0);
    });
    benchmark::DoNotOptimize(maxLift.data());
  }
  bench.counters["modes"] = double(modes.size());
}
BENCHMARK(BM_ExactModeMap)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
