#include <benchmark/benchmark.h>

#include "BenchDesigns.h"
#include "geometry/WindowTables.h"

namespace {

// Building a mechanism from a design: its lever curve, lobe, tables and constants.
void BM_BuildMechanism(benchmark::State& bench) {
  const Design design = BenchDesign(static_cast<int>(bench.range(0)));
  for (auto _ : bench) {
    const Mechanism mechanism(design);
    benchmark::DoNotOptimize(&mechanism);
  }
}
BENCHMARK(BM_BuildMechanism)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

// The same with the window's sampled tables, which a run of the window's model
// builds on first use.
void BM_BuildMechanismWithTables(benchmark::State& bench) {
  const Design design = BenchDesign(static_cast<int>(bench.range(0)));
  for (auto _ : bench) {
    const Mechanism mechanism(design);
    benchmark::DoNotOptimize(&mechanism.Tables());
  }
}
BENCHMARK(BM_BuildMechanismWithTables)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
