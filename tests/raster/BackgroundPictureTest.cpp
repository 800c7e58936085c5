#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "animation/Background.h"
#include "raster/RasterCanvas.h"
#include "raster/WindowUnits.h"

namespace {

using window_units::ToPixelX;
using window_units::ToPixelY;

struct Segment {
  double x1, y1, x2, y2;
  Colour colour;
  int width;
};

struct Rect {
  double x1, y1, x2, y2;
};

// What the background should leave visible on a cleared window, in window units.
// The light grey lines at y = -45, y = 55, x = -99.25 and x = -36.25 are missing on
// purpose: the silver lines cover them.
std::vector<Segment> VisibleLines() {
  std::vector<Segment> lines;
  for (double y : {-25, -5, 15, 35, 75}) lines.push_back({-120, y, -25, y, colours::lightGrey, 1});
  for (double x : {-115.0, -83.5, -67.75, -52.0}) lines.push_back({x, -45, x, 75, colours::lightGrey, 1});
  lines.push_back({-115, -25, -15, -25, colours::lightGrey, 1});
  lines.push_back({-20.5, -45, -20.5, -15, colours::lightGrey, 1});
  lines.push_back({-36.25, -45, -36.25, 75, colours::silver, 3});
  lines.push_back({-99.25, -45, -99.25, 75, colours::silver, 3});
  lines.push_back({-120, 55, -25, 55, colours::silver, 3});
  lines.push_back({-125, -45, 5, -45, colours::silver, 3});
  const double left = -20, bottom = -20, right = 40, top = 74;
  lines.push_back({left, bottom, right, bottom, colours::teal, 3});
  lines.push_back({right, bottom, right, top, colours::teal, 3});
  lines.push_back({right, top, left, top, colours::teal, 3});
  lines.push_back({left, top, left, bottom, colours::teal, 3});
  return lines;
}

const Rect kTealBlocks[] = {{-15, -15, -6.35, -1.2}, {6.35, -15, 15, -1.2}};

double PixelDistanceToSegment(int column, int row, const Segment& s) {
  const double ax = std::round(ToPixelX(s.x1)), ay = std::round(ToPixelY(s.y1));
  const double bx = std::round(ToPixelX(s.x2)), by = std::round(ToPixelY(s.y2));
  const double dx = bx - ax, dy = by - ay;
  const double lengthSq = dx * dx + dy * dy;
  const double t = lengthSq == 0 ? 0 : std::clamp(((column - ax) * dx + (row - ay) * dy) / lengthSq, 0.0, 1.0);
  return std::hypot(column - (ax + t * dx), row - (ay + t * dy));
}

bool InsideBlock(int column, int row, const Rect& r) {
  const double left = std::round(std::min(ToPixelX(r.x1), ToPixelX(r.x2)));
  const double right = std::round(std::max(ToPixelX(r.x1), ToPixelX(r.x2)));
  const double top = std::round(std::min(ToPixelY(r.y1), ToPixelY(r.y2)));
  const double bottom = std::round(std::max(ToPixelY(r.y1), ToPixelY(r.y2)));
  return column >= left - 1 && column <= right + 1 && row >= top - 1 && row <= bottom + 1;
}

// A pixel of the picture is accounted for when a shape of its colour covers it
// (allowing for one pixel of rounding).
bool AccountedFor(int column, int row, Colour colour) {
  for (const Segment& line : VisibleLines()) {
    if (line.colour == colour && PixelDistanceToSegment(column, row, line) <= line.width / 2.0 + 1) return true;
  }
  if (colour == colours::teal) {
    for (const Rect& block : kTealBlocks) {
      if (InsideBlock(column, row, block)) return true;
    }
  }
  return false;
}

class BackgroundPicture : public testing::Test {
 protected:
  BackgroundPicture() {
    canvas.Cls();
    vars.init = 9;
    DrawBackground(canvas, vars);
  }

  Colour At(double x, double y) const {
    return canvas.At(static_cast<int>(std::lround(ToPixelX(x))), static_cast<int>(std::lround(ToPixelY(y))));
  }

  RasterCanvas canvas{window_units::kClientWidth, window_units::kClientHeight};
  WindowVariables vars;
};

TEST_F(BackgroundPicture, EveryPixelBelongsToAShapeOfItsColour) {
  int strays = 0;
  for (int row = 0; row < canvas.Height(); ++row) {
    for (int column = 0; column < canvas.Width(); ++column) {
      const Colour colour = canvas.At(column, row);
      if (colour == colours::white) continue;
      if (!AccountedFor(column, row, colour) && ++strays <= 5) {
        ADD_FAILURE() << "stray pixel at column " << column << ", row " << row << ": "
                      << int(colour.r) << "," << int(colour.g) << "," << int(colour.b);
      }
    }
  }
  EXPECT_EQ(strays, 0);
}

TEST_F(BackgroundPicture, ShowsEachVisibleLineAndBlock) {
  const double betweenColumns[] = {-107, -91, -75, -60, -44, -30};
  const double betweenRows[] = {-35, -15, 5, 25, 45, 65};
  for (double y : {-25, -5, 15, 35, 75}) {
    for (double x : betweenColumns) EXPECT_TRUE(At(x, y) == colours::lightGrey) << x << ", " << y;
  }
  for (double x : {-115.0, -83.5, -67.75, -52.0}) {
    for (double y : betweenRows) EXPECT_TRUE(At(x, y) == colours::lightGrey) << x << ", " << y;
  }
  EXPECT_TRUE(At(-22, -25) == colours::lightGrey);  // the grid line carried on
  EXPECT_TRUE(At(-20.5, -35) == colours::lightGrey);
  for (double x : {-99.25, -36.25}) {
    for (double y : betweenRows) EXPECT_TRUE(At(x, y) == colours::silver) << x << ", " << y;
  }
  for (double x : betweenColumns) EXPECT_TRUE(At(x, 55) == colours::silver) << x;
  for (double x : {-124.0, -107.0, -60.0, -10.0, 4.0}) EXPECT_TRUE(At(x, -45) == colours::silver) << x;
  for (const auto& [x, y] : {std::pair{10.0, -20.0}, {10.0, 74.0}, {-20.0, 30.0}, {40.0, 30.0}}) {
    EXPECT_TRUE(At(x, y) == colours::teal) << x << ", " << y;
  }
  EXPECT_TRUE(At(-10.7, -8) == colours::teal);
  EXPECT_TRUE(At(10.7, -8) == colours::teal);
  EXPECT_TRUE(At(0, -8) == colours::white);  // the valve's gap
  EXPECT_TRUE(At(10, 30) == colours::white);  // inside the frame
}

TEST_F(BackgroundPicture, SilverLinesHideTheGreyLinesBeneathThem) {
  const auto rowIsSilver = [&](double y, double fromX, double toX) {
    const int row = static_cast<int>(std::lround(ToPixelY(y)));
    for (int column = static_cast<int>(std::lround(ToPixelX(fromX)));
         column <= std::lround(ToPixelX(toX)); ++column) {
      if (!(canvas.At(column, row) == colours::silver)) return false;
    }
    return true;
  };
  const auto columnIsSilver = [&](double x) {
    const int column = static_cast<int>(std::lround(ToPixelX(x)));
    for (int row = static_cast<int>(std::lround(ToPixelY(75))); row <= std::lround(ToPixelY(-45)); ++row) {
      if (!(canvas.At(column, row) == colours::silver)) return false;
    }
    return true;
  };
  EXPECT_TRUE(rowIsSilver(55, -120, -25));
  EXPECT_TRUE(rowIsSilver(-45, -125, 5));
  EXPECT_TRUE(columnIsSilver(-99.25));
  EXPECT_TRUE(columnIsSilver(-36.25));
}

TEST_F(BackgroundPicture, DrawingItTwiceGivesTheSamePictureAndInitZero) {
  EXPECT_EQ(vars.init, 0);
  const std::vector<std::uint8_t> once(canvas.Bytes(), canvas.Bytes() + 4 * canvas.Width() * canvas.Height());
  vars.init = 4;
  DrawBackground(canvas, vars);
  EXPECT_EQ(vars.init, 0);
  EXPECT_TRUE(std::equal(once.begin(), once.end(), canvas.Bytes()));
}

}  // namespace
