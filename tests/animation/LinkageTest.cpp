#include <gtest/gtest.h>

#include <cmath>

#include "AnimationRig.h"
#include "KinematicsFixture.h"
#include "animation/Linkage.h"
#include "geometry/TriangleApex.h"

namespace {

using Linkage = KinematicsFixture;

TEST_F(Linkage, EccentricStraightBelowThePivotTakesTheEqualityBranch) {
  SetControlShafts(S(), 60, 0);
  ASSERT_EQ(S().eccentricX, S().constants.leverPivotX);
  EXPECT_NEAR(S().eccentricY, -0.2898, 1e-12);
  ComputeEccentricDirection(S());
  EXPECT_EQ(S().eccentricDir, -S().constants.pi / 2);
}

TEST_F(Linkage, EccentricDirectionPointsAtTheEccentricOnBothSidesOfThePivot) {
  for (int value : {-95, -1, 1, 200, 700}) {
    SetControlShafts(S(), 60, value);
    ComputeEccentricDirection(S());
    const MechanismConstants& k = S().constants;
    EXPECT_NEAR(k.leverPivotX + 20 * std::cos(S().eccentricDir), S().eccentricX, 1e-12) << value;
    EXPECT_NEAR(k.leverPivotY + 20 * std::sin(S().eccentricDir), S().eccentricY, 1e-12) << value;
  }
}

TEST_F(Linkage, ApexExactlyTwentyFromTheAxisKeepsTheFirstBranch) {
  WindowVariables vars;
  // A flat triangle along the x axis: the first branch puts the apex at exactly 20.
  S().eccentricX = 0;
  S().eccentricY = 0;
  S().rollerX = 39;
  S().rollerY = 0;
  ASSERT_TRUE(SolveSecondRollerAndValve(S(), vars));
  EXPECT_EQ(vars.X, 20);
  EXPECT_EQ(vars.Y, 0);
  EXPECT_EQ(S().valveY, 0);
}

class LinkageWithoutSolution : public KinematicsFixture {
 protected:
  void ExpectPreviousPositionsKept() {
    WindowVariables vars;
    vars.X = 1;
    vars.Y = 2;
    vars.fff = 3;
    S().valveY = -1.5;
    EXPECT_FALSE(SolveSecondRollerAndValve(S(), vars));
    EXPECT_EQ(vars.X, 1);
    EXPECT_EQ(vars.Y, 2);
    EXPECT_EQ(vars.fff, 3);
    EXPECT_EQ(S().valveY, -1.5);
    EXPECT_EQ(S().prevValveY, -1.5);
  }
};

TEST_F(LinkageWithoutSolution, RollerOutOfTheLinksReach) {
  S().eccentricX = 0;
  S().eccentricY = 0;
  S().rollerX = 50;
  S().rollerY = 0;
  ExpectPreviousPositionsKept();
}

TEST_F(LinkageWithoutSolution, RollerBeyondTheRodsReachOfTheValveAxis) {
  // Both branches land more than 20 from x = 0, where the rod cannot reach the axis.
  S().eccentricX = 30;
  S().eccentricY = 0;
  S().rollerX = 50;
  S().rollerY = 0;
  ExpectPreviousPositionsKept();
}

TEST_F(Linkage, ArcCentresAtRestWhenTheLeverIsNotTurned) {
  S().leverAngle = 0;
  TurnArcCentres(S());
  const MechanismConstants& k = S().constants;
  EXPECT_NEAR(S().cornerNowX, k.cornerCentreX, 1e-9);
  EXPECT_NEAR(S().cornerNowY, k.cornerCentreY, 1e-9);
  EXPECT_NEAR(S().flankNowX, k.flankCentreX, 1e-12);
  EXPECT_NEAR(S().flankNowY, k.flankCentreY, 1e-12);
}

TEST_F(Linkage, LeverCurveFollowsEveryChangeOfTheLeverAngle) {
  S().leverAngle = -0.2;
  TurnLeverCurve(S());
  const double turnedX = S().leverCurveNowX[2000];
  S().leverAngle = -0.3;
  TurnLeverCurve(S());
  EXPECT_NE(S().leverCurveNowX[2000], turnedX);
  S().leverAngle = -0.2;
  TurnLeverCurve(S());
  EXPECT_EQ(S().leverCurveNowX[2000], turnedX);
}

// One revolution at step 4 with the given control shafts: the valve heights and
// which solver branch each frame needed.
struct Revolution {
  double lowestValveY = 1e9;
  double angleOfLowest = 0;
  double highestValveY = -1e9;
  int framesOnSecondBranch = 0;
  int frames = 0;
};

Revolution RunRevolution(int scroll1, int scroll2) {
  AnimationRig<NullCanvas> rig;
  rig.host.vscroll1.value = scroll1;
  rig.host.vscroll2.value = scroll2;
  Revolution result;
  rig.host.onFrame = [&](const FrameReport& f) {
    if (f.revolution == 3) rig.host.End();
    if (f.revolution != 2) return;  // the first frame after start-up is a special case
    const AnimationState& s = rig.State();
    auto first = TriangleApexPlus(s.eccentricX, s.eccentricY, f.rollerX, f.rollerY, 20, 19);
    if (first && first->X > 20) ++result.framesOnSecondBranch;
    ++result.frames;
    if (f.valveY < result.lowestValveY) {
      result.lowestValveY = f.valveY;
      result.angleOfLowest = f.camAngle;
    }
    result.highestValveY = std::max(result.highestValveY, f.valveY);
  };
  rig.Run();
  return result;
}

TEST(LinkageOverARevolution, InitialSettingsOpenTheValveTwoMillimetres) {
  const Revolution r = RunRevolution(60, 200);
  EXPECT_EQ(r.frames, 90);
  EXPECT_EQ(r.framesOnSecondBranch, 0);
  EXPECT_NEAR(r.lowestValveY, -2.0, 0.05);
  EXPECT_NEAR(r.angleOfLowest, 90, 8);
  EXPECT_NEAR(r.highestValveY, 0, 0.03);  // closed: the second roller on the pivot
}

TEST(LinkageOverARevolution, EccentricRightOfTheRollerUsesTheSecondBranch) {
  const Revolution r = RunRevolution(0, 700);
  EXPECT_EQ(r.framesOnSecondBranch, 90);
  EXPECT_NEAR(r.lowestValveY, -12.0, 0.05);
  EXPECT_NEAR(r.angleOfLowest, 90, 8);
}

TEST(LinkageOverARevolution, ValveStaysClosedAtTheEndsOfTheRanges) {
  for (auto [scroll1, scroll2] : {std::pair{115, 200}, std::pair{60, -95}}) {
    const Revolution r = RunRevolution(scroll1, scroll2);
    EXPECT_GT(r.lowestValveY, -0.03) << scroll1 << "/" << scroll2;
    EXPECT_LT(r.highestValveY, 0.03) << scroll1 << "/" << scroll2;
  }
}

}  // namespace
