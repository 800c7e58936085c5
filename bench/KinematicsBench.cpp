#include <benchmark/benchmark.h>

#include <memory>

#include "StartedState.h"
#include "animation/ContactSearch.h"
#include "animation/WindowVariables.h"

namespace {

// At the window's initial settings, with the lever curve turned as the first frame
// leaves it.
std::unique_ptr<AnimationState> InitialSettings() {
  auto state = StartedState(60, 200);
  TurnLeverCurve(*state);
  return state;
}

// What a frame computes: the pitch curve turned, the contact search, the linkage,
// and the lever curve brought up to the lever angle (which a revolution holds fixed).
void BM_FrameKinematics(benchmark::State& bench) {
  auto s = InitialSettings();
  WindowVariables vars;
  for (auto _ : bench) {
    NextCamAngle(*s);
    RotatePitchCurve(*s);
    RunContactSearch(*s);
    ComputeEccentricDirection(*s);
    SolveSecondRollerAndValve(*s, vars);
    TurnArcCentres(*s);
    TurnLeverCurve(*s);
    benchmark::DoNotOptimize(s->valveY);
  }
}
BENCHMARK(BM_FrameKinematics)->Unit(benchmark::kMicrosecond);

void BM_PitchRotation(benchmark::State& bench) {
  auto s = InitialSettings();
  for (auto _ : bench) {
    NextCamAngle(*s);
    RotatePitchCurve(*s);
    benchmark::DoNotOptimize(s->camPitchX[3000]);
  }
}
BENCHMARK(BM_PitchRotation)->Unit(benchmark::kMicrosecond);

void BM_ContactSearch(benchmark::State& bench) {
  auto s = InitialSettings();
  for (auto _ : bench) {
    bench.PauseTiming();
    NextCamAngle(*s);
    RotatePitchCurve(*s);
    bench.ResumeTiming();
    RunContactSearch(*s);
    benchmark::DoNotOptimize(s->rollerX);
  }
}
BENCHMARK(BM_ContactSearch)->Unit(benchmark::kMicrosecond);

// The first frame of a revolution with a new lever angle.
void BM_LeverTurningToANewAngle(benchmark::State& bench) {
  auto s = InitialSettings();
  int value = 0;
  for (auto _ : bench) {
    value = (value + 1) % 116;
    s->leverAngle = -value / 300.0;
    TurnLeverCurve(*s);
    benchmark::DoNotOptimize(s->leverCurveNowX[2000]);
  }
}
BENCHMARK(BM_LeverTurningToANewAngle)->Unit(benchmark::kMicrosecond);

}  // namespace
