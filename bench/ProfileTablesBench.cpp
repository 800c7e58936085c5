#include <benchmark/benchmark.h>

#include <memory>

#include "geometry/ProfileTables.h"

namespace {

// The start tables as the start-up builds them, once per window.
void BM_BuildProfileTables(benchmark::State& state) {
  auto tables = std::make_unique<ProfileTables>();
  for (auto _ : state) {
    BuildProfileTables(*WindowMechanism(), *tables);
    benchmark::DoNotOptimize(tables->leverCurveY[kLeverLast]);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BuildProfileTables)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace
