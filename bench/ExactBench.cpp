#include <benchmark/benchmark.h>

#include <vector>

#include "DefaultModeGrid.h"
#include "analysis/ExactKinematics.h"
#include "analysis/ModeSetting.h"
#include "analysis/ModeSummary.h"
#include "analysis/SvajSeries.h"
#include "api/SvajStudy.h"
#include "api/OrderedPool.h"

namespace {

// One mode's lift, velocity, acceleration and jerk every 0.1 crank degree over the
// cycle (7200 points), over all cores in runs of 256 as torlin-modes --svaj computes
// them. Wall time. The window's start mode, and the largest lift, where the valve
// moves longest.
void BM_ExactSvajOneMode(benchmark::State& bench) {
  const ExactKinematics model(static_cast<int>(bench.range(0)), static_cast<int>(bench.range(1)));
  const std::vector<double> angles = CrankAngles(0.1);
  constexpr std::size_t kRun = 256;
  for (auto _ : bench) {
    std::size_t rows = 0;
    RunInOrder(
        (angles.size() + kRun - 1) / kRun, 0,
        [&] {
          return [&](std::size_t run) {
            const std::size_t first = run * kRun;
            return SvajSeries(model, std::vector<double>(angles.begin() + first,
                                                         angles.begin() + std::min(first + kRun, angles.size())));
          };
        },
        [&](std::vector<SvajSample> series) { rows += series.size(); }, [] { return false; });
    benchmark::DoNotOptimize(rows);
  }
  bench.counters["cores"] = PoolThreads(0);
}
BENCHMARK(BM_ExactSvajOneMode)->Args({60, 200})->Args({0, 700})->Unit(benchmark::kMillisecond)->UseRealTime();

// The same mode's whole --svaj table as torlin-modes and Python compute it (api/): the
// window's revolution beside the exact rows, both sides of every jump, in tasks of
// kRowsPerTask over all cores; what a binding adds is measured against this.
void BM_SvajTableOneMode(benchmark::State& bench) {
  const ShaftPositions mode{double(bench.range(0)), double(bench.range(1))};
  for (auto _ : bench) {
    const SvajPlan plan = PlanSvaj(WindowMechanism(), mode, 0.1, 400);
    std::size_t rows = 0;
    RunInOrder(
        (plan.places.size() + kRowsPerTask - 1) / kRowsPerTask, 0,
        [&] {
          return [&](std::size_t task) {
            const std::size_t first = task * kRowsPerTask;
            return SvajRowsAt(plan.model,
                              std::span(plan.places).subspan(first, std::min(kRowsPerTask, plan.places.size() - first)),
                              plan.window);
          };
        },
        [&](std::vector<SvajRow> part) { rows += part.size(); }, [] { return false; });
    benchmark::DoNotOptimize(rows);
  }
}
BENCHMARK(BM_SvajTableOneMode)->Args({60, 200})->Args({0, 700})->Unit(benchmark::kMillisecond)->UseRealTime();

// The default map's 100 x 100 modes from the exact kinematics: at each of the 90 frame
// angles of speed 400 the exact lift, then the mode's summary. Over all cores; wall time.
void BM_ExactModeMap(benchmark::State& bench) {
  const std::vector<ModeSetting> modes = DefaultModeGrid();
  for (auto _ : bench) {
    std::vector<double> maxLift;
    maxLift.reserve(modes.size());
    const auto maxLiftOf = [&](std::size_t i) {
      const ExactKinematics model(modes[i].lever, modes[i].eccentric);
      std::vector<LiftSample> curve;
      curve.reserve(90);
      for (int frame = 0; frame < 90; ++frame) {
        const double crank = 8.0 * frame;
        curve.push_back({crank, -model.PoseAt(crank).valveY});
      }
      return SummariseLift(curve).maxLiftMm.value_or(0);
    };
    RunInOrder(
        modes.size(), 0, [&] { return maxLiftOf; }, [&](double lift) { maxLift.push_back(lift); },
        [] { return false; });
    benchmark::DoNotOptimize(maxLift.data());
  }
  bench.counters["modes"] = double(modes.size());
}
BENCHMARK(BM_ExactModeMap)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
