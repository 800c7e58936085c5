// The continuous cam and lever curves against the start tables and the window's turn.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "analysis/LeverFace.h"
#include "analysis/PitchCurve.h"
#include "animation/LeverTurning.h"
#include "animation/Linkage.h"
#include "animation/ReadyToRun.h"

namespace {

class ExactGeometry : public testing::Test {
 protected:
  ExactGeometry() : state_(ReadyToRunState()) {}
  const MechanismConstants& K() const { return state_->constants; }
  std::unique_ptr<AnimationState> state_;
};

TEST_F(ExactGeometry, PitchRadiusAtEveryWholeStepIsTheTableEntry) {
  for (int j = 0; j < 7200; ++j) {
    const double restAngle = K().pi * j / 3600;
    // The table's loop runs past the turn and writes exactly 24 over the first ten
    // lobe steps, where the rule has risen by less than 1e-6.
    const double tolerance = j > 5650 && j <= 5660 ? 1e-6 : 1e-11;
    ASSERT_NEAR(PitchRadiusAt(WindowMechanism()->Lobe(), restAngle), state_->tables->profile.camPitchRadius[j], tolerance) << j;
    // A whole turn on, the same radius.
    ASSERT_NEAR(PitchRadiusAt(WindowMechanism()->Lobe(), restAngle + 2 * K().pi), state_->tables->profile.camPitchRadius[j],
                tolerance)
        << j;
  }
}

TEST_F(ExactGeometry, PitchRadiusRunsOnWithoutAStepOrAKinkAtBothEndsOfTheLobe) {
  // Lobe steps 0 and 4500 sit at rest steps 5650 and 2950.
  for (const double step : {5650.0, 2950.0}) {
    const double at = K().pi * step / 3600;
    const double h = 1e-6;
    const double before = PitchRadiusAt(WindowMechanism()->Lobe(), at - h);
    const double after = PitchRadiusAt(WindowMechanism()->Lobe(), at + h);
    EXPECT_NEAR(before, 24, 1e-9) << step;
    EXPECT_NEAR(after, 24, 1e-9) << step;
    // Slopes on both sides: the lobe leaves and meets the base circle tangentially.
    EXPECT_NEAR((PitchRadiusAt(WindowMechanism()->Lobe(), at + 2 * h) - after) / h, 0, 1e-4) << step;
    EXPECT_NEAR((before - PitchRadiusAt(WindowMechanism()->Lobe(), at - 2 * h)) / h, 0, 1e-4) << step;
  }
  EXPECT_NEAR(PitchRadiusAt(WindowMechanism()->Lobe(), K().pi * (5650 + 4500 * std::pow(0.5, 2.0 / 3)) / 3600), 31.34,
              1e-12);
}

TEST_F(ExactGeometry, LeverFaceTurnedIsTheWindowsTurnedCurveBetweenItsSamples) {
  for (const int lever : {0, 1, 60, 94, 115}) {
    SetControlShafts(*state_, lever, 200);
    TurnLeverCurve(*state_);
    const LeverFace face(*WindowMechanism(), state_->leverAngle);
    for (int n = kLeverTurnedFirst; n <= kLeverLast; ++n) {
      double x = 0;
      double y = 0;
      face.PointAt(n * K().pi / 5400, x, y);
      // The table keeps the pivot arc for entry 1476 (49.2 degrees), a little past
      // the angle where the corner arc takes over: that one point lies off the curve,
      // by 17.5 times the angle past the hand-over.
      const double tolerance = n == 1476 ? 0.005 : 1e-12;
      ASSERT_NEAR(x, state_->leverCurveNowX[n], tolerance) << lever << " " << n;
      ASSERT_NEAR(y, state_->leverCurveNowY[n], tolerance) << lever << " " << n;
    }
  }
}

TEST_F(ExactGeometry, LeverFaceHasNoStepWhereOneArcHandsOverToTheNext) {
  const LeverFace face(*WindowMechanism(), -60 / 300.0);
  for (const double join : {face.CornerStartAngle(), face.FlankStartAngle()}) {
    double xBefore = 0;
    double yBefore = 0;
    double xAfter = 0;
    double yAfter = 0;
    face.PointAt(std::nextafter(join, 0.0), xBefore, yBefore);
    face.PointAt(join, xAfter, yAfter);
    // The constants are given to 11 or 12 digits, so the arcs touch to about that.
    EXPECT_NEAR(xBefore, xAfter, 1e-9);
    EXPECT_NEAR(yBefore, yAfter, 1e-9);
  }
  EXPECT_NEAR(face.CornerStartAngle() * 180 / K().pi, 49.185754474272, 1e-9);
  EXPECT_NEAR(face.FlankStartAngle() * 180 / K().pi, 100.471996083333, 1e-9);
}

}  // namespace
