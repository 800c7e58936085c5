#include "geometry/TriangleApex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

namespace {

double Distance(double x1, double y1, double x2, double y2) { return std::hypot(x2 - x1, y2 - y1); }

// > 0 when (px, py) lies to the left of the ray from (x1, y1) through (x2, y2).
double SideOf(double x1, double y1, double x2, double y2, double px, double py) {
  return (x2 - x1) * (py - y1) - (y2 - y1) * (px - x1);
}

void ExpectApexAt(const std::optional<Apex>& apex, double x, double y) {
  ASSERT_TRUE(apex);
  EXPECT_NEAR(apex->X, x, 1e-12);
  EXPECT_NEAR(apex->Y, y, 1e-12);
}

TEST(TriangleApex, AcuteTriangleGivesBothMirrorApexesAtTheSideLengths) {
  // A 6-8-10 triangle on a sloped base from (1, 2) to (9, 8).
  const auto plus = TriangleApexPlus(1, 2, 9, 8, 6, 8);
  const auto minus = TriangleApexMinus(1, 2, 9, 8, 6, 8);
  ASSERT_TRUE(plus && minus);
  for (const Apex& apex : {*plus, *minus}) {
    EXPECT_NEAR(Distance(1, 2, apex.X, apex.Y), 6, 1e-12);
    EXPECT_NEAR(Distance(9, 8, apex.X, apex.Y), 8, 1e-12);
    EXPECT_NEAR(apex.X, 1 + 6 * std::cos(apex.fff), 1e-12);
    EXPECT_NEAR(apex.Y, 2 + 6 * std::sin(apex.fff), 1e-12);
  }
  EXPECT_GT(SideOf(1, 2, 9, 8, plus->X, plus->Y), 0);    // left: counter-clockwise turn
  EXPECT_LT(SideOf(1, 2, 9, 8, minus->X, minus->Y), 0);  // right
  const double base = std::atan2(6.0, 8.0);
  EXPECT_NEAR(plus->fff - base, base - minus->fff, 1e-12);
}

TEST(TriangleApex, HorizontalBaseGivesTheTextbookApex) {
  ExpectApexAt(TriangleApexPlus(0, 0, 10, 0, 6, 8), 3.6, 4.8);
  ExpectApexAt(TriangleApexMinus(0, 0, 10, 0, 6, 8), 3.6, -4.8);
}

TEST(TriangleApex, SecondVertexToTheLeftPutsTheApexOnTheFarSide) {
  // The plain arctangent of the slope points away from the second vertex.
  // Both lie 6 from the first vertex and far more than 8 from the second.
  ExpectApexAt(TriangleApexPlus(10, 0, 0, 0, 6, 8), 13.6, 4.8);
  ExpectApexAt(TriangleApexMinus(10, 0, 0, 0, 6, 8), 13.6, -4.8);
}

TEST(TriangleApex, ObtuseAngleAtTheFirstVertexTakesTheAcuteSupplement) {
  // 3-4-6: the true apex is at x = -11/8; the solver mirrors it to +11/8.
  const auto plus = TriangleApexPlus(0, 0, 4, 0, 3, 6);
  ExpectApexAt(plus, 11.0 / 8, std::sqrt(9 - 121.0 / 64));
  EXPECT_NEAR(Distance(0, 0, plus->X, plus->Y), 3, 1e-12);
  EXPECT_GT(std::abs(Distance(4, 0, plus->X, plus->Y) - 6), 1);
}

TEST(TriangleApex, DegenerateTriangleLiesOnTheBaseLine) {
  for (const auto& apex : {TriangleApexPlus(0, 0, 7, 0, 3, 4), TriangleApexMinus(0, 0, 7, 0, 3, 4)}) {
    ASSERT_TRUE(apex);
    EXPECT_EQ(apex->fff, 0);
    EXPECT_DOUBLE_EQ(apex->X, 3);
    EXPECT_DOUBLE_EQ(apex->Y, 0);
  }
}

struct Limit {
  const char* name;
  const char* what;
  double x1, y1, x2, y2, side1, side2;
};

void PrintTo(const Limit& limit, std::ostream* os) { *os << limit.what; }

class TriangleApexLimit : public testing::TestWithParam<Limit> {};

TEST_P(TriangleApexLimit, ReportsNoSolution) {
  const Limit& l = GetParam();
  EXPECT_FALSE(TriangleApexPlus(l.x1, l.y1, l.x2, l.y2, l.side1, l.side2)) << l.what;
  EXPECT_FALSE(TriangleApexMinus(l.x1, l.y1, l.x2, l.y2, l.side1, l.side2)) << l.what;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    OutsideTheLimits, TriangleApexLimit,
    testing::Values(Limit{"VerticalBase", "vertical base", 0, 0, 0, 5, 3, 4},
                    Limit{"CoincidentVertices", "coincident vertices", 1, 1, 1, 1, 3, 3},
                    Limit{"BaseTooLong", "base longer than both sides", 0, 0, 10, 0, 3, 4},
                    Limit{"BaseTooShort", "base shorter than the sides' difference", 0, 0, 1, 0, 3, 10},
                    Limit{"RightAngleAtFirstVertex", "right angle at the first vertex: h equals side1", 0, 0, 4, 0, 3, 5},
                    Limit{"ZeroSide1", "zero side1", 0, 0, 4, 0, 0, 4},
                    Limit{"NegativeSide2", "negative side2 that Heron's product would accept", 0, 0, 3, 0, 3, -1},
                    Limit{"BaseOverflows", "base length overflows", -1e300, 0, 1e300, 0, 1e300, 1e300},
                    Limit{"NaNx1", "NaN x1", kNaN, 0, 10, 0, 6, 8},
                    Limit{"NaNSide2", "NaN side2", 0, 0, 10, 0, 6, kNaN},
                    Limit{"InfiniteX2", "infinite x2", 0, 0, kInf, 0, 6, 8},
                    Limit{"InfiniteSides", "infinite sides", 0, 0, 10, 0, kInf, kInf}),
    [](const testing::TestParamInfo<Limit>& info) { return std::string(info.param.name); });

TEST(TriangleApex, RightAngleAtTheSecondVertexStillSolves) {
  // h is below side1 here, so this is inside the limits.
  ExpectApexAt(TriangleApexPlus(0, 0, 4, 0, 5, 3), 4, 3);
}

}  // namespace
