#include <benchmark/benchmark.h>

#include <memory>

#include "StartedState.h"
#include "animation/ContactSearch.h"
#include "animation/FrameKinematics.h"
#include "animation/WindowVariables.h"
#include "tests/animation/ReferenceSearch.h"

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
    benchmark::DoNotOptimize(FrameKinematics(*s, vars).valveY);
  }
}
BENCHMARK(BM_FrameKinematics)->Unit(benchmark::kMicrosecond);

// Whole revolutions at many lever settings and speeds: the count of frames in which
// the window's search or the mode map's finds another pair or roller centre, in any
// bit, than the plain pair-by-pair scan (0 is the only right answer).
int FramesThatDiffer() {
  auto whole = StartedState(0, 200);
  auto onDemand = StartedState(0, 200);
  auto plain = std::make_unique<PlainTables>();
  int differ = 0;
  for (int scroll1 = 0; scroll1 <= 115; scroll1 += 23) {
    for (auto* s : {whole.get(), onDemand.get()}) {
      SetControlShafts(*s, scroll1, 200);
      TurnLeverCurve(*s);
    }
    plain->leverX = whole->leverCurveNowX;
    plain->leverY = whole->leverCurveNowY;
    for (double step : {4.0, 0.25, 7.5}) {
      for (const double camAngle : RevolutionCamAngles(step)) {
        for (auto* s : {whole.get(), onDemand.get()}) {
          s->camAngle = camAngle;
          s->camAngleRad = CamRadians(camAngle, s->constants);
        }
        RotatePitchCurve(*whole);
        plain->pitchX = whole->camPitchX;
        plain->pitchY = whole->camPitchY;
        const PlainResult expected = PlainSearch(*plain, camAngle);
        RunContactSearch(*whole);
        RunContactSearchTurningOnDemand(*onDemand);
        for (const auto* s : {whole.get(), onDemand.get()}) {
          differ += s->bestPitchIndex != expected.pitch || s->bestLeverIndex != expected.lever ||
                    s->rollerX != expected.rollerX || s->rollerY != expected.rollerY;
        }
      }
    }
  }
  return differ;
}

// The same frame with the pitch curve turned only where the search reads it, as the
// mode map runs it; reports first that it finds the same pairs as the window's frame.
// The library calls this function several times while it settles the iteration count,
// and the check is the same each time, so it runs once.
void BM_FrameKinematicsTurningOnDemand(benchmark::State& bench) {
  static const int framesThatDiffer = FramesThatDiffer();
  bench.counters["framesThatDiffer"] = framesThatDiffer;
  if (framesThatDiffer != 0) bench.SkipWithError("turning on demand changed a search result");
  auto s = InitialSettings();
  WindowVariables vars;
  for (auto _ : bench) {
    NextCamAngle(*s);
    benchmark::DoNotOptimize(FrameKinematics(*s, vars, PitchTurning::OnDemand).valveY);
  }
}
BENCHMARK(BM_FrameKinematicsTurningOnDemand)->Unit(benchmark::kMicrosecond);

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
