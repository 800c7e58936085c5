// Iso-lines against surfaces whose level lines are known: a plane (straight lines, which
// linear interpolation along the edges finds exactly) and a cone (circles).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "analysis/IsoLines.h"

namespace {

struct Surface {
  std::vector<double> xs, ys, values;
  IsoGrid Grid() const { return {xs, ys, values}; }
};

template <class F>
Surface Sample(std::vector<double> xs, std::vector<double> ys, F f) {
  Surface s{std::move(xs), std::move(ys), {}};
  for (double x : s.xs) {
    for (double y : s.ys) s.values.push_back(f(x, y));
  }
  return s;
}

TEST(IsoLines, APlaneOnAnUnevenGridGivesItsStraightLineAroundAHole) {
  // Uneven steps, as a grid chosen with FIRST:LAST:STEP may have at its ends.
  Surface plane = Sample({0, 1, 2.5, 3, 5, 8}, {-2, 0, 1, 4, 4.5}, [](double x, double y) { return x + 2 * y; });
  const auto lines = IsoLines(plane.Grid(), 6.5);
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_GE(lines[0].size(), 4u);
  for (const IsoPoint& p : lines[0]) EXPECT_NEAR(p.x + 2 * p.y, 6.5, 1e-12);

  // A missing value at (3, 1) takes the four cells round it out: the line stops at
  // their edge and goes on beyond it, never inside them.
  plane.values[3 * plane.ys.size() + 2] = NAN;
  const auto cut = IsoLines(plane.Grid(), 6.5);
  EXPECT_EQ(cut.size(), 2u);
  for (const auto& line : cut) {
    for (const IsoPoint& p : line) {
      EXPECT_NEAR(p.x + 2 * p.y, 6.5, 1e-12);
      EXPECT_FALSE(p.x > 2.5 && p.x < 5 && p.y > 0 && p.y < 4) << p.x << ", " << p.y;
    }
  }
  EXPECT_TRUE(IsoLines(plane.Grid(), 100).empty()) << "a level above every value";
}

TEST(IsoLines, AConeGivesOneClosedCircle) {
  std::vector<double> axis;
  const double h = 0.1;
  for (int k = -30; k <= 30; ++k) axis.push_back(k * h);
  const Surface cone = Sample(axis, axis, [](double x, double y) { return std::hypot(x, y); });
  const double r = 2.05;
  const auto lines = IsoLines(cone.Grid(), r);
  ASSERT_EQ(lines.size(), 1u);
  const auto& circle = lines[0];
  ASSERT_GT(circle.size(), 100u);
  EXPECT_EQ(circle.front().x, circle.back().x);
  EXPECT_EQ(circle.front().y, circle.back().y);
  double turned = 0;
  for (std::size_t k = 0; k < circle.size(); ++k) {
    // Interpolating along an edge misses the circle by at most the sagitta of a chord
    // one cell long: h^2 / (8 r), doubled for the chord's slant.
    EXPECT_NEAR(std::hypot(circle[k].x, circle[k].y), r, h * h / (4 * r));
    if (k > 0) {
      const double step = std::atan2(circle[k].y, circle[k].x) - std::atan2(circle[k - 1].y, circle[k - 1].x);
      turned += std::remainder(step, 2 * std::numbers::pi);
    }
  }
  EXPECT_NEAR(std::abs(turned), 2 * std::numbers::pi, 1e-9) << "once round the apex";
}

TEST(IsoLines, ASaddleCellJoinsItsCrossingsAsItsCentreSays) {
  // Corners 1 at the lower left and upper right, 0 at the others: the centre (0.5)
  // lies above 0.4, with the high corners, so the lines cut off the low corners; below
  // 0.6, with the low ones, so they cut off the high corners.
  const Surface saddle{{0, 1}, {0, 1}, {1, 0, 0, 1}};
  for (const double level : {0.4, 0.6}) {
    const auto lines = IsoLines(saddle.Grid(), level);
    ASSERT_EQ(lines.size(), 2u);
    const bool cutsLow = level < 0.5;
    for (const auto& line : lines) {
      ASSERT_EQ(line.size(), 2u);
      const IsoPoint middle{(line[0].x + line[1].x) / 2, (line[0].y + line[1].y) / 2};
      // The corner a line cuts off is the one its middle lies nearest to.
      const bool nearLow = std::abs(middle.x - middle.y) > 0.5 - 1e-9;  // (1, 0) or (0, 1)
      EXPECT_EQ(nearLow, cutsLow) << "level " << level;
    }
  }
}

}  // namespace
