// One representative frame on the image canvas: the cam outline erased and drawn
// (1440 single pixels), about 360 round dots of width 5, and about 20 lines,
// circles and boxes, as the mechanism drawing issues them.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "app/ImageCanvas.h"
#include "app/WindowUnits.h"

namespace {

struct Outline {
  std::vector<double> x;
  std::vector<double> y;
};

Outline CamOutline(double angle) {
  Outline o;
  for (int k = 1; k <= 720; ++k) {
    const double a = k * M_PI / 360.0;
    const double r = 20.0 + 1.8 * std::sin(3 * a);
    o.x.push_back(3.39237 + r * std::sin(a + angle));
    o.y.push_back(51.34389 + r * std::cos(a + angle));
  }
  return o;
}

void DrawOutline(ImageCanvas& canvas, const Outline& o, Colour colour) {
  canvas.SetPenWidth(1);
  canvas.SetPenColour(colour);
  for (std::size_t k = 0; k < o.x.size(); ++k) canvas.Point(o.x[k], o.y[k]);
}

void BM_ImageCanvasFrame(benchmark::State& state) {
  ImageCanvas canvas(QSize(window_units::kClientWidth, window_units::kClientHeight));
  const Outline before = CamOutline(0.0);
  const Outline after = CamOutline(0.07);
  for (auto _ : state) {
    DrawOutline(canvas, before, colours::white);
    DrawOutline(canvas, after, colours::red);

    canvas.SetPenWidth(5);
    for (int i = 0; i < 360; ++i) {
      const double a = i * M_PI / 180.0;
      canvas.SetPenColour(i % 2 ? colours::orange : colours::white);
      canvas.Point(3.39237 + 19 * std::cos(a) * (i % 3) / 2.0, 19.7102 + 19 * std::sin(a));
    }

    canvas.SetPenWidth(15);
    canvas.SetPenColour(colours::darkBlue);
    for (int i = 0; i < 4; ++i) canvas.Line(0, -5.0 - i, 1.5 * i, 10);
    canvas.SetPenWidth(1);
    for (int i = 0; i < 8; ++i) {
      canvas.SetPenColour(i % 2 ? colours::blue : colours::red);
      canvas.Circle(3.39237, 19.7102 + i, 9.5);
      canvas.Line(-3.0 + i, 0, 3.0 + i, 0);
    }
    canvas.SetPenColour(colours::blue);
    canvas.Box(-6, -15, 6, -30);
    canvas.SetPenColour(colours::teal);
    canvas.FilledBox(-15, -20, -10, -35);
    canvas.SetPenWidth(1);
    canvas.SetPenColour(colours::red);
    canvas.Line(-80, 10, -79.5, 10.3);
    benchmark::DoNotOptimize(canvas.TakeDirtyRegion());
  }
}
BENCHMARK(BM_ImageCanvasFrame)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
