#include "geometry/ProfileTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

namespace {

class ProfileTablesTest : public testing::Test {
 protected:
  void SetUp() override { BuildProfileTables(*WindowMechanism(), *tables); }

  double OutlineRadius(int k) const { return std::hypot(tables->camOutlineX[k], tables->camOutlineY[k]); }
  double LeverGap(int n) const {
    return std::hypot(tables->leverCurveX[n + 1] - tables->leverCurveX[n],
                      tables->leverCurveY[n + 1] - tables->leverCurveY[n]);
  }

  const MechanismConstants constants = MakeMechanismConstants();
  std::unique_ptr<ProfileTables> tables = std::make_unique<ProfileTables>();
};

TEST(MechanismConstantsTest, CornerStartIsWhereTheCornerArcTouchesThePivotArc) {
  const MechanismConstants c = MakeMechanismConstants();
  EXPECT_EQ(c.pi, std::numbers::pi);
  EXPECT_NEAR(c.cornerStartX, 17.772189, 5e-7);
  EXPECT_NEAR(c.cornerStartY, 32.128767, 5e-7);
  EXPECT_NEAR(std::hypot(c.cornerStartX - c.leverPivotX, c.cornerStartY - c.leverPivotY), 19, 1e-12);
  EXPECT_NEAR(std::hypot(c.cornerStartX - c.cornerCentreX, c.cornerStartY - c.cornerCentreY), 1.5, 1e-12);
  // The corner arc also touches the flank arc from inside.
  EXPECT_NEAR(std::hypot(c.cornerCentreX - c.flankCentreX, c.cornerCentreY - c.flankCentreY), 28.5, 1e-8);
}

TEST_F(ProfileTablesTest, PitchRadiusTellingEntries) {
  const PitchTable& r = tables->camPitchRadius;
  EXPECT_NEAR(r[0], 26.583212, 5e-7);
  EXPECT_NEAR(r[1], 26.587523, 5e-7);
  EXPECT_NEAR(r[1285], 31.339999840, 5e-10);
  EXPECT_NEAR(r[2949], 24.000008, 5e-7);
  EXPECT_EQ(r[2950], 24);
  EXPECT_NEAR(r[7199], 26.578905, 5e-7);
  EXPECT_EQ(*std::max_element(r.begin(), r.end()), r[1285]);
}

TEST_F(ProfileTablesTest, PitchRadiusIsTheBaseRadiusOffTheLobeAndZeroPastTheTurn) {
  const PitchTable& r = tables->camPitchRadius;
  for (int j = 2950; j <= 5660; ++j) EXPECT_EQ(r[j], 24) << j;
  for (int j = 7200; j <= kPitchLast; ++j) EXPECT_EQ(r[j], 0) << j;
  for (int j = 0; j < 7200; ++j) {
    ASSERT_GE(r[j], 24) << j;
    ASSERT_LT(r[j], 31.34) << j;
  }
}

TEST_F(ProfileTablesTest, OutlineTellingEntries) {
  EXPECT_NEAR(tables->camOutlineX[1], 1.917861, 5e-7);
  EXPECT_NEAR(tables->camOutlineY[1], 17.276116, 5e-7);
  EXPECT_NEAR(tables->camOutlineX[360], -0.020944, 5e-7);
  EXPECT_NEAR(tables->camOutlineY[360], -14.499991, 5e-7);
  EXPECT_NEAR(tables->camOutlineX[720], 1.758039, 5e-7);
  EXPECT_NEAR(tables->camOutlineY[720], 17.247259, 5e-7);
  EXPECT_EQ(tables->camOutlineX[0], 0);
  EXPECT_EQ(tables->camOutlineY[0], 0);
}

TEST_F(ProfileTablesTest, OutlineRunsFromTheBaseCircleToTheTopOfTheLobe) {
  int farthest = 1;
  for (int k = 1; k <= kOutlineLast; ++k) {
    ASSERT_GT(OutlineRadius(k), 14.5 - 1e-5) << k;
    if (OutlineRadius(k) > OutlineRadius(farthest)) farthest = k;
  }
  EXPECT_EQ(farthest, 128);
  EXPECT_NEAR(OutlineRadius(128), 21.84, 0.005);
  EXPECT_NEAR(OutlineRadius(400), 14.5, 1e-5);
  // Entry 720 closes the outline: it lies on it, between its neighbours.
  EXPECT_NEAR(OutlineRadius(720), 17.34, 0.005);
  EXPECT_LT(std::hypot(tables->camOutlineX[720] - tables->camOutlineX[719],
                       tables->camOutlineY[720] - tables->camOutlineY[719]), 0.2);
  EXPECT_LT(std::hypot(tables->camOutlineX[720] - tables->camOutlineX[1],
                       tables->camOutlineY[720] - tables->camOutlineY[1]), 0.2);
}

TEST_F(ProfileTablesTest, LeverCurveTellingEntries) {
  const struct {
    int n;
    double x, y;
  } expected[] = {{600, 9.890753, 37.564360},  {1476, 17.775276, 32.125191},
                  {1477, 17.773003, 32.127824}, {3014, 18.111981, 30.875859},
                  {3015, 18.109287, 30.861304}, {3600, 14.592402, 21.328369}};
  for (const auto& e : expected) {
    EXPECT_NEAR(tables->leverCurveX[e.n], e.x, 5e-7) << e.n;
    EXPECT_NEAR(tables->leverCurveY[e.n], e.y, 5e-7) << e.n;
  }
  for (int n = 0; n < 600; ++n) {
    EXPECT_EQ(tables->leverCurveX[n], 0) << n;
    EXPECT_EQ(tables->leverCurveY[n], 0) << n;
  }
}

TEST_F(ProfileTablesTest, LeverCurveHasEvenGapsOnEachArcAndNoStepBetweenThem) {
  for (int n = 600; n < 1476; ++n) ASSERT_NEAR(LeverGap(n), 0.011054, 5e-7) << n;
  for (int n = 1477; n < 3014; ++n) ASSERT_NEAR(LeverGap(n), 0.000873, 5e-7) << n;
  for (int n = 3015; n < kLeverLast; ++n) ASSERT_NEAR(LeverGap(n), 0.017453, 5e-7) << n;
  EXPECT_NEAR(LeverGap(1476), 0.00348, 5e-6);
  EXPECT_NEAR(LeverGap(3014), 0.01480, 5e-6);
}

// Each builder writes its own index range and nothing else.
TEST(ProfileTableBuilders, WriteExactlyTheirIndexRanges) {
  constexpr double kUntouched = -1234.5;
  auto tables = std::make_unique<ProfileTables>();
  tables->camPitchRadius.fill(kUntouched);
  tables->camOutlineX.fill(kUntouched);
  tables->camOutlineY.fill(kUntouched);
  tables->leverCurveX.fill(kUntouched);
  tables->leverCurveY.fill(kUntouched);

  BuildCamPitchRadius(*WindowMechanism(), tables->camPitchRadius);
  for (int j = 0; j <= kPitchLast; ++j) {
    ASSERT_EQ(tables->camPitchRadius[j] == kUntouched, j >= 7200) << j;
  }
  BuildCamOutline(*WindowMechanism(), tables->camPitchRadius, tables->camOutlineX, tables->camOutlineY);
  for (int k = 0; k <= kOutlineLast; ++k) {
    ASSERT_EQ(tables->camOutlineX[k] == kUntouched, k == 0) << k;
    ASSERT_EQ(tables->camOutlineY[k] == kUntouched, k == 0) << k;
  }
  BuildLeverCurve(*WindowMechanism(), tables->leverCurveX, tables->leverCurveY);
  for (int n = 0; n <= kLeverLast; ++n) {
    ASSERT_EQ(tables->leverCurveX[n] == kUntouched, n < 600) << n;
    ASSERT_EQ(tables->leverCurveY[n] == kUntouched, n < 600) << n;
  }
}

}  // namespace
