#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "StartedState.h"
#include "animation/Background.h"
#include "animation/CamOutline.h"
#include "animation/FrameKinematics.h"
#include "animation/LiftPlot.h"
#include "animation/MechanismDrawing.h"
#include "raster/RasterCanvas.h"

namespace {

// One ordinary frame as the loop runs it between its event-loop turns: the cam
// outline whitened and redrawn, the kinematics, the mechanism and the lift-plot
// segment, all drawn on the window's raster at its designed size.
void BM_WholeFrameOnTheRasterCanvas(benchmark::State& bench) {
  auto s = StartedState(60, 200);
  WindowVariables vars;
  RasterCanvas canvas(960, 662);
  DrawBackground(canvas, vars);

  for (auto _ : bench) {
    NextCamAngle(*s);
    TurnCamOutline(*s, canvas);

    const Pose pose = FrameKinematics(*s, vars);
    DrawOrdinaryFrame(pose, s->constants, vars.init, canvas);
    LiftPlotStep(*s, canvas);
    // The window presents the tiles drawn on after every frame.
    benchmark::DoNotOptimize(canvas.TakeDirty());
  }
}
BENCHMARK(BM_WholeFrameOnTheRasterCanvas)->Unit(benchmark::kMicrosecond);

}  // namespace
