#include <benchmark/benchmark.h>

#include "BenchDesigns.h"

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

}  // namespace
