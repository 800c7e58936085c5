#include <gtest/gtest.h>

#include <QImage>
#include <limits>
#include <random>

#include "app/ImageCanvas.h"
#include "app/WindowUnits.h"
#include "support/ShapeKinds.h"

namespace {

const QSize kClient(window_units::kClientWidth, window_units::kClientHeight);

bool AllWhite(const QImage& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255)) return false;
  return true;
}

int CountColour(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
  return n;
}

QPoint PixelOf(double x, double y) {
  return QPoint(static_cast<int>(std::lround(window_units::ToPixelX(x))),
                static_cast<int>(std::lround(window_units::ToPixelY(y))));
}

}  // namespace

// Erasing by overdrawing in white is how the animation removes moving parts:
// random shapes of every kind and width drawn, then drawn again in white, leave
// the image as it was.
TEST(ImageCanvas, DrawingAgainInWhiteLeavesNothingBehind) {
  for (Shape shape : kEveryShape) {
    ImageCanvas canvas(kClient);
    std::mt19937 random(11);
    std::uniform_real_distribution<double> x(-150, 60), y(-60, 90);
    std::vector<std::array<double, 5>> shapes(500);
    for (auto& s : shapes) s = {x(random), y(random), x(random), y(random), double(1 + random() % 15)};
    for (const auto& s : shapes) {
      canvas.SetPenColour(colours::orange);
      canvas.SetPenWidth(shape == Shape::Line ? 15 : shape == Shape::Point ? 5 : int(s[4]));
      Draw(canvas, shape, s.data());
    }
    EXPECT_FALSE(AllWhite(canvas.Image()));
    for (const auto& s : shapes) {
      canvas.SetPenColour(colours::white);
      canvas.SetPenWidth(shape == Shape::Line ? 15 : shape == Shape::Point ? 5 : int(s[4]));
      Draw(canvas, shape, s.data());
    }
    EXPECT_TRUE(AllWhite(canvas.Image())) << "shape " << int(shape);
  }
}

TEST(ImageCanvas, SinglePixelsAndRoundDots) {
  ImageCanvas canvas(kClient);
  canvas.SetPenColour(colours::red);
  canvas.SetPenWidth(1);
  canvas.Point(0, 0);
  EXPECT_EQ(CountColour(canvas.Image(), qRgb(255, 0, 0)), 1);
  EXPECT_EQ(canvas.Image().pixel(PixelOf(0, 0)), qRgb(255, 0, 0));

  canvas.Cls();
  canvas.SetPenWidth(5);
  canvas.Point(0, 0);
  EXPECT_EQ(CountColour(canvas.Image(), qRgb(255, 0, 0)), 21);  // a round dot, 5 across
  const QPoint c = PixelOf(0, 0);
  EXPECT_EQ(canvas.Image().pixel(c + QPoint(2, 0)), qRgb(255, 0, 0));
  EXPECT_EQ(canvas.Image().pixel(c + QPoint(0, -2)), qRgb(255, 0, 0));
  EXPECT_EQ(canvas.Image().pixel(c + QPoint(2, 2)), qRgb(255, 255, 255));
}

TEST(ImageCanvas, PenStartsLightGreyWidthThreeAndFilledBoxesUseThePen) {
  ImageCanvas canvas(kClient);
  EXPECT_EQ(canvas.PenColour(), colours::lightGrey);
  EXPECT_EQ(canvas.PenWidth(), 3);
  canvas.SetPenColour(colours::teal);
  canvas.FilledBox(-20, 10, -10, 0);
  EXPECT_EQ(canvas.Image().pixel(PixelOf(-15, 5)), qRgb(0, 192, 192));
  canvas.CircleInColour(0, 0, 5, colours::colourValue1);
  EXPECT_EQ(canvas.PenColour(), colours::teal);
  EXPECT_GT(CountColour(canvas.Image(), qRgb(1, 0, 0)), 20);
}

TEST(ImageCanvas, CircleRadiusIsInHorizontalUnits) {
  ImageCanvas canvas(kClient);
  canvas.SetPenColour(colours::blue);
  canvas.SetPenWidth(1);
  canvas.Circle(0, 0, 20);
  const QImage& image = canvas.Image();
  int top = image.height();
  int left = image.width();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == qRgb(0, 0, 255)) {
        top = std::min(top, y);
        left = std::min(left, x);
      }
  const double radiusPixels = window_units::LengthToPixels(20);  // 109.7, vertical would be 109.3
  EXPECT_NEAR(window_units::ToPixelY(0) - top, radiusPixels, 1.0);
  EXPECT_NEAR(window_units::ToPixelX(0) - left, radiusPixels, 1.0);
}

TEST(ImageCanvas, OffImageHugeAndNonFiniteCoordinatesAreSafe) {
  ImageCanvas canvas(kClient);
  canvas.SetPenColour(colours::red);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (int width : {1, 5, 15}) {
    canvas.SetPenWidth(width);
    for (double bad : {nan, inf, -inf, 1e300, -1e300, 1e9}) {
      canvas.Point(bad, 0);
      canvas.Point(0, bad);
      canvas.Circle(0, 0, bad);
      canvas.Circle(bad, bad, 1);
      canvas.Line(bad, 0, 0, bad);
      canvas.Box(bad, bad, 0, 0);
      canvas.FilledBox(nan, 0, 0, 0);
    }
    canvas.Point(-500, 0);
    canvas.Point(0, 500);
  }
  // Not-a-number and infinities are counted as rejected; huge finite values are not.
  EXPECT_EQ(canvas.NonFiniteShapes(), 3 * 3 * 7 + 3 * 3 * 1);
  canvas.SetPenWidth(1);
  canvas.Line(-1e300, 0, 1e300, 0);  // clipped, direction kept: the whole row at y = 0
  const int row = PixelOf(0, 0).y();
  const QImage& image = canvas.Image();
  int red = 0;
  for (int x = 0; x < image.width(); ++x) red += image.pixel(x, row) == qRgb(255, 0, 0);
  EXPECT_EQ(red, image.width());
}

// A finite coordinate so large that it is infinite in device pixels leaves a line
// without a direction: nothing of it is drawn, rather than a stray stroke.
TEST(ImageCanvas, LinesThatOverflowToInfinityInPixelsAreNotDrawn) {
  const double huge = std::numeric_limits<double>::max();
  for (int width : {1, 5}) {
    ImageCanvas canvas(kClient);
    canvas.SetPenColour(colours::red);
    canvas.SetPenWidth(width);
    canvas.Line(huge, 0, -100, 0);
    canvas.Line(-100, -huge, -100, 0);
    canvas.Line(-huge, huge, huge, -huge);
    EXPECT_TRUE(AllWhite(canvas.Image())) << width;
    EXPECT_EQ(canvas.NonFiniteShapes(), 0);
  }
}

TEST(ImageCanvas, DotsAtTheEdgeDrawOnlyTheirVisiblePart) {
  ImageCanvas canvas(kClient);
  canvas.SetPenColour(colours::red);
  canvas.SetPenWidth(5);
  canvas.Point(window_units::FromPixelX(0), window_units::FromPixelY(0));
  EXPECT_EQ(CountColour(canvas.Image(), qRgb(255, 0, 0)), 8);  // a quarter of the dot and its axes
}

TEST(ImageCanvas, DirtyRegionCoversWhatWasDrawnAndLittleElse) {
  ImageCanvas canvas(kClient);
  EXPECT_TRUE(canvas.TakeDirtyRegion().isEmpty());
  canvas.SetPenColour(colours::green);
  canvas.SetPenWidth(15);
  canvas.Line(-10, 10, 10, -10);
  canvas.SetPenWidth(1);
  canvas.Point(30, 60);
  const QRegion dirty = canvas.TakeDirtyRegion();
  const QImage& image = canvas.Image();
  // Two shapes far apart: the region holds both, not the space between them.
  EXPECT_FALSE(dirty.contains(QPoint(static_cast<int>(window_units::ToPixelX(20)),
                                    static_cast<int>(window_units::ToPixelY(35)))));
  EXPECT_LT(dirty.boundingRect().width() * dirty.boundingRect().height(), image.width() * image.height());
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255)) {
        ASSERT_TRUE(dirty.contains(QPoint(x, y))) << x << "," << y;
      }
  EXPECT_TRUE(canvas.TakeDirtyRegion().isEmpty());
  canvas.Cls();
  EXPECT_EQ(canvas.TakeDirtyRegion(), QRegion(image.rect()));
}

// A copy handed out earlier keeps its pixels while drawing goes on.
TEST(ImageCanvas, CopiesOfTheImageAreNotDrawnInto) {
  ImageCanvas canvas(kClient);
  canvas.SetPenColour(colours::red);
  canvas.Line(-50, 0, 0, 0);
  const QImage before = canvas.Image();
  const QImage snapshot = before.copy();
  canvas.Line(-50, 10, 0, 10);
  canvas.Point(1, 1);
  canvas.Line(-50, 20, 0, 20);
  EXPECT_EQ(before, snapshot);
  EXPECT_NE(canvas.Image(), snapshot);
}

TEST(ImageCanvas, HighDensityScreensGetAnImageOfDevicePixels) {
  ImageCanvas canvas(kClient, 2.0);
  EXPECT_EQ(canvas.Image().size(), QSize(1920, 1324));
  canvas.SetPenColour(colours::red);
  canvas.SetPenWidth(1);
  canvas.Point(0, 0);
  EXPECT_EQ(CountColour(canvas.Image(), qRgb(255, 0, 0)), 4);
}
