#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "raster/RasterCanvas.h"
#include "raster/WindowUnits.h"
#include "support/ErasePassCheck.h"
#include "support/ShapeKinds.h"

namespace {

constexpr int kWidth = window_units::kClientWidth;
constexpr int kHeight = window_units::kClientHeight;

RasterCanvas Client() { return RasterCanvas(kWidth, kHeight); }

int Count(const RasterCanvas& canvas, Colour colour) {
  int n = 0;
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) n += canvas.At(x, y) == colour;
  return n;
}

bool AllWhite(const RasterCanvas& canvas) { return Count(canvas, colours::white) == canvas.Width() * canvas.Height(); }

// Window units of the centre of pixel (column, row).
double UnitX(double column) { return window_units::FromPixelX(column); }
double UnitY(double row) { return window_units::FromPixelY(row); }

}  // namespace

// Shapes of every kind and width, many overlapping, then drawn again in white in
// the same order: nothing is left, also at a fractional device pixel ratio.
TEST(RasterCanvas, DrawingAgainInWhiteLeavesNothingBehind) {
  for (double ratio : {1.0, 1.5}) {
    for (Shape shape : kEveryShape) {
      RasterCanvas canvas(kWidth, kHeight, ratio);
      std::mt19937 random(11);
      std::uniform_real_distribution<double> x(-150, 60), y(-60, 90);
      std::vector<std::array<double, 5>> shapes(400);
      for (auto& s : shapes) s = {x(random), y(random), x(random), y(random), double(1 + random() % 15)};
      for (const auto& s : shapes) {
        canvas.SetPenColour(colours::orange);
        canvas.SetPenWidth(static_cast<int>(s[4]));
        Draw(canvas, shape, s.data());
      }
      EXPECT_GT(Count(canvas, colours::orange), 1000) << static_cast<int>(shape);
      for (const auto& s : shapes) {
        canvas.SetPenColour(colours::white);
        canvas.SetPenWidth(static_cast<int>(s[4]));
        Draw(canvas, shape, s.data());
      }
      EXPECT_TRUE(AllWhite(canvas)) << "shape " << static_cast<int>(shape) << " ratio " << ratio;
    }
  }
}

TEST(RasterCanvas, LinesHavePenWidthAndRoundEnds) {
  RasterCanvas canvas = Client();
  canvas.SetPenColour(colours::red);
  canvas.SetPenWidth(1);
  canvas.Line(UnitX(100), UnitY(50), UnitX(130), UnitY(60));
  EXPECT_EQ(Count(canvas, colours::red), 31);  // one pixel per column, both ends included

  canvas.Cls();
  canvas.SetPenWidth(3);
  canvas.Line(UnitX(100), UnitY(50), UnitX(130), UnitY(50));
  for (int row : {49, 50, 51}) EXPECT_EQ(canvas.At(115, row), colours::red);
  EXPECT_EQ(canvas.At(115, 52), colours::white);
  EXPECT_EQ(canvas.At(131, 50), colours::red);  // the round end reaches past the end point
  EXPECT_EQ(canvas.At(132, 50), colours::white);

  canvas.Cls();
  canvas.SetPenWidth(5);
  canvas.Line(UnitX(200), UnitY(200), UnitX(200), UnitY(200));
  RasterCanvas dot = Client();
  dot.SetPenColour(colours::red);
  dot.SetPenWidth(5);
  dot.Point(UnitX(200), UnitY(200));
  EXPECT_EQ(Count(canvas, colours::red), 21);
  for (int y = 190; y < 210; ++y)
    for (int x = 190; x < 210; ++x) EXPECT_EQ(canvas.At(x, y), dot.At(x, y)) << x << ", " << y;
}

TEST(RasterCanvas, BoxesCirclesAndDotsHaveTheirPixels) {
  RasterCanvas canvas = Client();
  canvas.SetPenColour(colours::blue);
  canvas.SetPenWidth(1);
  canvas.Box(UnitX(10), UnitY(10), UnitX(19), UnitY(14));
  EXPECT_EQ(Count(canvas, colours::blue), 2 * 10 + 2 * 3);  // the perimeter of a 10 x 5 box
  canvas.SetPenWidth(3);
  canvas.Box(UnitX(100), UnitY(100), UnitX(119), UnitY(109));
  EXPECT_EQ(Count(canvas, colours::blue), 26 + 22 * 12 - 16 * 6);
  canvas.FilledBox(UnitX(300), UnitY(300), UnitX(309), UnitY(304));  // the pen fills, corners included
  EXPECT_EQ(canvas.At(300, 300), colours::blue);
  EXPECT_EQ(canvas.At(309, 304), colours::blue);
  EXPECT_EQ(canvas.At(310, 304), colours::white);

  canvas.Cls();
  canvas.SetPenWidth(1);
  canvas.CircleInColour(UnitX(400), UnitY(300), window_units::FromPixelX(20) - window_units::kLeft,
                        colours::cyan);
  EXPECT_EQ(canvas.PenColour(), colours::blue);
  for (auto [x, y] : {std::pair{420, 300}, {380, 300}, {400, 280}, {400, 320}}) {
    EXPECT_EQ(canvas.At(x, y), colours::cyan) << x << ", " << y;
  }
  // A closed ring: every row it spans has its pixels at the radius, none inside.
  const int ring = Count(canvas, colours::cyan);
  EXPECT_GT(ring, 100);
  EXPECT_LT(ring, 130);
  EXPECT_EQ(canvas.At(400, 300), colours::white);

  canvas.Cls();
  canvas.SetPenWidth(3);
  canvas.Circle(UnitX(400), UnitY(300), window_units::FromPixelX(20) - window_units::kLeft);
  for (int x : {419, 420, 421}) EXPECT_EQ(canvas.At(x, 300), colours::blue) << x;
  EXPECT_EQ(canvas.At(418, 300), colours::white);
  EXPECT_EQ(canvas.At(422, 300), colours::white);
}

TEST(RasterCanvas, FarAndNonFiniteCoordinatesAreSafe) {
  RasterCanvas canvas = Client();
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  canvas.SetPenColour(colours::red);
  canvas.Line(nan, 0, 0, 0);
  canvas.Circle(0, inf, 3);
  canvas.Point(nan, nan);
  EXPECT_EQ(canvas.NonFiniteShapes(), 3);
  EXPECT_TRUE(AllWhite(canvas));
  canvas.Line(-1e300, -1e300, 1e300, 1e300);
  canvas.Box(-1e300, 1e300, 1e300, -1e300);
  canvas.Line(-1e6, -1e6, 1e6, 1e6);
  canvas.Circle(0, 0, 1e300);
  canvas.Circle(1e9, 0, 3);
  canvas.SetPenWidth(5);
  canvas.Point(-1e12, 20);
  EXPECT_GT(Count(canvas, colours::red), 1000);
  EXPECT_EQ(canvas.NonFiniteShapes(), 3);
}

TEST(RasterCanvas, DirtyTilesCoverWhatWasDrawnAndLittleElse) {
  RasterCanvas canvas = Client();
  canvas.TakeDirty();
  EXPECT_TRUE(canvas.TakeDirty().empty());
  canvas.SetPenWidth(1);
  canvas.Point(UnitX(5), UnitY(5));
  canvas.Point(UnitX(900), UnitY(600));
  const std::vector<PixelRect> dirty = canvas.TakeDirty();
  ASSERT_EQ(dirty.size(), 2u);
  EXPECT_EQ(dirty[0], (PixelRect{0, 0, 32, 32}));
  EXPECT_EQ(dirty[1], (PixelRect{896, 576, 32, 32}));
  canvas.Cls();
  int area = 0;
  for (const PixelRect& r : canvas.TakeDirty()) area += r.width * r.height;
  EXPECT_EQ(area, kWidth * kHeight);
}

TEST(RasterCanvas, TheErasePassLeavesNoPixelOfTheOldShaftArcOrLeverOutline) {
  const auto isWhite = [](const RasterCanvas& c, int x, int y) { return c.At(x, y) == colours::white; };
  ExpectNoOldPixelStays<RasterCanvas>(20, 500, kWidth, kHeight, Client, isWhite);
  ExpectNoOldPixelStays<RasterCanvas>(115, -95, kWidth, kHeight, Client, isWhite);
  ExpectNoOldPixelStays<RasterCanvas>(0, 700, kWidth, kHeight, Client, isWhite);
}

// A finite coordinate so large that it is infinite in device pixels: such a line
// has no direction to clip by, so nothing of it is drawn, and no stray stroke
// appears elsewhere on the image.
TEST(RasterCanvas, LinesThatOverflowToInfinityInPixelsAreNotDrawn) {
  const double huge = std::numeric_limits<double>::max();
  for (int width : {1, 5}) {
    RasterCanvas canvas = Client();
    canvas.SetPenColour(colours::red);
    canvas.SetPenWidth(width);
    canvas.Line(huge, UnitY(300), UnitX(100), UnitY(300));
    canvas.Line(UnitX(100), -huge, UnitX(100), UnitY(300));
    canvas.Line(-huge, huge, huge, -huge);
    EXPECT_TRUE(AllWhite(canvas)) << width;
    EXPECT_EQ(canvas.NonFiniteShapes(), 0);
  }
}

// A high-density screen gets a canvas of its device pixels, and a one-pixel pen
// covers a logical pixel there; a dot at the image's corner keeps its visible part.
TEST(RasterCanvas, DevicePixelsOfHighDensityScreensAndDotsAtTheEdge) {
  RasterCanvas dense(kWidth, kHeight, 2.0);
  EXPECT_EQ(dense.Width(), 1920);
  EXPECT_EQ(dense.Height(), 1324);
  dense.SetPenColour(colours::red);
  dense.SetPenWidth(1);
  dense.Point(0, 0);
  EXPECT_EQ(Count(dense, colours::red), 4);

  RasterCanvas canvas = Client();
  canvas.SetPenColour(colours::red);
  canvas.SetPenWidth(5);
  canvas.Point(UnitX(0), UnitY(0));
  EXPECT_EQ(Count(canvas, colours::red), 8);  // a quarter of the dot and its axes
}
