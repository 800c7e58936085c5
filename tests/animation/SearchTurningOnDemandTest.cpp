// The contact search computes its distances in vector registers, and the mode map's
// variant turns only the pitch entries it reads. Both must find exactly the pair the
// plain scan finds, and the same roller centre to the last bit, over whole
// revolutions and on lever curves made of ties.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "KinematicsFixture.h"
#include "ReferenceSearch.h"
#include "animation/ContactSearch.h"
#include "animation/Linkage.h"

namespace {

class SearchAgreesWithThePlainScan : public KinematicsFixture {
 protected:
  SearchAgreesWithThePlainScan() : onDemand_(ReadyToRunState()), plain_(std::make_unique<PlainTables>()) {}

  // Searches at the cam angle on the lever curve now in S() in three ways.
  void SearchAt(double camAngle) {
    TurnCamTo(camAngle);
    plain_->pitchX = S().camPitchX;
    plain_->pitchY = S().camPitchY;
    plain_->leverX = S().leverCurveNowX;
    plain_->leverY = S().leverCurveNowY;
    const PlainResult expected = PlainSearch(*plain_, camAngle);

    RunContactSearch(S());
    onDemand_->leverCurveNowX = S().leverCurveNowX;
    onDemand_->leverCurveNowY = S().leverCurveNowY;
    onDemand_->camAngle = camAngle;
    onDemand_->camAngleRad = S().camAngleRad;
    RunContactSearchTurningOnDemand(*onDemand_);

    for (const AnimationState* s : {&S(), onDemand_.get()}) {
      const char* which = s == &S() ? "whole curve turned" : "turned on demand";
      ASSERT_EQ(s->bestPitchIndex, expected.pitch) << which << " at " << camAngle;
      ASSERT_EQ(s->bestLeverIndex, expected.lever) << which << " at " << camAngle;
      ASSERT_EQ(s->rollerX, expected.rollerX) << which << " at " << camAngle;
      ASSERT_EQ(s->rollerY, expected.rollerY) << which << " at " << camAngle;
    }
  }

  std::unique_ptr<AnimationState> onDemand_;
  std::unique_ptr<PlainTables> plain_;
};

TEST_F(SearchAgreesWithThePlainScan, OverWholeRevolutionsAtEveryFifthLeverSetting) {
  for (int scroll1 = 0; scroll1 <= 115; scroll1 += 5) {
    SetControlShafts(S(), scroll1, 200);
    TurnLeverCurve(S());
    for (double step : {4.0, 0.37, 10.0}) {
      for (double camAngle = 0; camAngle <= 359; camAngle += step) {
        ASSERT_NO_FATAL_FAILURE(SearchAt(camAngle)) << "lever " << scroll1 << " step " << step;
      }
    }
  }
}

TEST_F(SearchAgreesWithThePlainScan, AtTheFinestStep) {
  for (int scroll1 : {0, 57, 115}) {
    SetControlShafts(S(), scroll1, 200);
    TurnLeverCurve(S());
    for (double camAngle = 0; camAngle <= 359; camAngle += 0.25) {
      ASSERT_NO_FATAL_FAILURE(SearchAt(camAngle)) << "lever " << scroll1;
    }
  }
}

// Lever curves whose points come from a small set of places near the cam, so that
// many pairs lie at exactly the same distance, in every position of a run.
TEST_F(SearchAgreesWithThePlainScan, OnLeverCurvesFullOfTies) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> place(0, 5);
  std::uniform_real_distribution<double> camAngles(0, 360);
  for (int trial = 0; trial < 200; ++trial) {
    const double camAngle = trial % 4 == 0 ? 150 : camAngles(random);  // 150: the fine window wraps
    TurnCamTo(camAngle);
    const int near = CoarsePitchIndex(camAngle, trial % 23);
    for (int k = 0; k <= kLeverLast; ++k) {
      const int p = place(random);
      const int j = (near + 7 * p) % 7200;
      S().leverCurveNowX[k] = S().camPitchX[j] + 0.25 * (p % 3);
      S().leverCurveNowY[k] = S().camPitchY[j] - 0.125 * (p % 2);
    }
    ASSERT_NO_FATAL_FAILURE(SearchAt(camAngle)) << "trial " << trial;
  }
}

}  // namespace
