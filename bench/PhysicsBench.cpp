#include <benchmark/benchmark.h>

#include <vector>

#include "DefaultModeGrid.h"
#include "analysis/BodyMasses.h"
#include "analysis/ElasticCycle.h"
#include "analysis/ElasticSpeedLimits.h"
#include "analysis/FrictionCycle.h"
#include "analysis/LoadSeries.h"
#include "analysis/SvajSeries.h"
#include "api/OrderedPool.h"

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

// One mode's loads with friction at the default 0.05, the rollers' spins and each
// contact's film every 0.1 crank degree at 6,000 rpm: massless rollers (quasi-static
// spin), and steel ones (the spins' periodic cycle). Wall time.
void BM_FrictionOneMode(benchmark::State& bench) {
  const ExactKinematics model(static_cast<double>(bench.range(0)), static_cast<double>(bench.range(1)));
  LoadParameters parameters;
  if (bench.range(2) != 0) parameters.bodies = SteelBodyMasses(9.5, parameters.rollerWidthMm);
  const std::vector<CrankPlace> places = CrankPlaces(model, CrankAngles(0.1));
  // The rows in turn, or over that many of the pool's threads as torlin-modes --loads
  // spreads them.
  const int threads = static_cast<int>(bench.range(3));
  const ForEachRow forEachRow = threads == 0 ? ForEachRow(EachRowInTurn)
                                             : [threads](std::size_t count, const std::function<void(std::size_t)>& body) {
                                                 ForEachIndex(count, threads, body);
                                               };
  int cycles = 0;
  for (auto _ : bench) {
    const FrictionCycle cycle = FrictionCycleAt(model, parameters, FrictionParameters{}, places, SeatedRows::Full, forEachRow);
    cycles = cycle.cycles;
    benchmark::DoNotOptimize(cycle.rows.data());
  }
  bench.counters["cycles"] = cycles;
}
BENCHMARK(BM_FrictionOneMode)
    ->ArgsProduct({{60}, {200}, {0, 1}, {0, 2}})
    ->ArgsProduct({{0}, {700}, {0, 1}, {0, 2}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The default map's 100 x 100 modes with their load and friction summaries at the
// frame angles of speed 400 (every 8 crank degrees) and every jump, massless rollers,
// over all cores as torlin-modes --loads --friction computes them. Wall time.
void BM_FrictionModeMap(benchmark::State& bench) {
  const std::vector<ModeSetting> modes = DefaultModeGrid();
  const std::vector<double> angles = CrankAngles(8);
  LoadParameters parameters;
  for (auto _ : bench) {
    std::vector<double> means;
    means.reserve(modes.size());
    const auto meanOf = [&](std::size_t i) {
      const ExactKinematics model(modes[i].lever, modes[i].eccentric);
      const FrictionCycle cycle =
          FrictionCycleAt(model, parameters, FrictionParameters{}, CrankPlaces(model, angles), SeatedRows::Brief);
      std::vector<LoadRow> rows;
      rows.reserve(cycle.rows.size());
      for (const FrictionalLoadRow& r : cycle.rows) rows.push_back(r.loads);
      const LoadSummary loads = SummariseLoads(model, parameters, rows);
      return SummariseFriction(cycle).meanPowerW.value_or(0) + (loads.camshaft.meanNm ? 0 : 1);
    };
    RunInOrder(
        modes.size(), 0, [&] { return meanOf; }, [&](double mean) { means.push_back(mean); }, [] { return false; });
    benchmark::DoNotOptimize(means.data());
  }
  bench.counters["modes"] = double(modes.size());
}
BENCHMARK(BM_FrictionModeMap)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace
