#include <benchmark/benchmark.h>

#include <span>
#include <vector>

#include "DefaultModeGrid.h"
#include "analysis/ElasticCycle.h"
#include "analysis/KinematicLiftCurve.h"
#include "api/OrderedPool.h"

namespace {

// The default map's 100 x 100 modes through the elastic valve train at 6,000 rpm, as
// torlin-modes --loads --dynamics computes each mode's cycle: the rigid lift sampled
// every 0.25 crank degree, then the periodic steady state. On the given number of
// threads, for the scaling; wall time. (The loft and bounce speeds, some twenty cycles
// more per mode, are BM_ElasticSpeedLimits.)
void BM_ElasticModeMap(benchmark::State& bench) {
  const std::vector<ModeSetting> modes = DefaultModeGrid();
  const int threads = static_cast<int>(bench.range(0));
  for (auto _ : bench) {
    double fastest = 0;
    const auto seatingOf = [&](std::size_t i) {
      const ExactKinematics model(modes[i].lever, modes[i].eccentric);
      const auto lift = KinematicLiftCurve::FromExact(model);
      if (!lift) return 0.0;
      const auto cycle = ElasticCycleAt(*lift, LoadParameters{}, ElasticParameters{}, std::span<const double>{});
      return cycle ? cycle->SeatingVelocityMPerS().value_or(0) : 0.0;
    };
    RunInOrder(
        modes.size(), threads, [&] { return seatingOf; }, [&](double v) { fastest = std::max(fastest, v); },
        [] { return false; });
    benchmark::DoNotOptimize(fastest);
  }
  bench.counters["modes"] = double(modes.size());
  bench.counters["threads"] = threads;
}
BENCHMARK(BM_ElasticModeMap)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
