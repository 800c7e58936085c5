#include <benchmark/benchmark.h>

#include <vector>

#include "DefaultModeGrid.h"
#include "analysis/BodyMasses.h"
#include "analysis/ElasticCycle.h"
#include "analysis/ElasticSpeedLimits.h"
#include "analysis/LoadSeries.h"
#include "analysis/SvajSeries.h"
#include "common/OrderedPool.h"

namespace {

// One mode's loads with every body's mass every 0.1 crank degree, on one core.
void BM_BodyLoadsOneMode(benchmark::State& bench) {
  const ExactKinematics model(static_cast<double>(bench.range(0)), static_cast<double>(bench.range(1)));
  LoadParameters parameters;
  parameters.bodies = SteelBodyMasses(9.5, parameters.rollerWidthMm);
  const std::vector<double> angles = CrankAngles(0.1);
  for (auto _ : bench) benchmark::DoNotOptimize(LoadSeries(model, parameters, angles).size());
}
BENCHMARK(BM_BodyLoadsOneMode)->Args({60, 200})->Args({0, 700})->Unit(benchmark::kMillisecond);

// The rigid lift as the elastic model's input: sampled every 0.25 crank degree.
void BM_KinematicLiftCurve(benchmark::State& bench) {
  const ExactKinematics model(60, 200);
  for (auto _ : bench) benchmark::DoNotOptimize(KinematicLiftCurve::FromExact(model).has_value());
}
BENCHMARK(BM_KinematicLiftCurve)->Unit(benchmark::kMillisecond);

// One elastic periodic steady state at 6,000 rpm, rows every 0.1 degree, from the
// lift curve (made once per mode).
void BM_ElasticCycle(benchmark::State& bench) {
  const ExactKinematics model(static_cast<double>(bench.range(0)), static_cast<double>(bench.range(1)));
  const auto lift = KinematicLiftCurve::FromExact(model);
  const std::vector<double> angles = CrankAngles(0.1);
  for (auto _ : bench) {
    benchmark::DoNotOptimize(ElasticCycleAt(*lift, LoadParameters{}, ElasticParameters{}, angles)->cycles);
  }
}
BENCHMARK(BM_ElasticCycle)->Args({60, 200})->Args({0, 700})->Unit(benchmark::kMillisecond);

// A mode's loft and bounce speeds, bracketed.
void BM_ElasticSpeedLimits(benchmark::State& bench) {
  const ExactKinematics model(static_cast<double>(bench.range(0)), static_cast<double>(bench.range(1)));
  const auto lift = KinematicLiftCurve::FromExact(model);
  for (auto _ : bench) {
    benchmark::DoNotOptimize(FindElasticSpeedLimits(*lift, LoadParameters{}, ElasticParameters{}).loftRpm);
  }
}
BENCHMARK(BM_ElasticSpeedLimits)->Args({60, 200})->Args({0, 700})->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
