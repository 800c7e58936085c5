// The frame's kinematics turn precomputed rest positions instead of evaluating the
// trigonometry of every table entry. These tests hold them to the plain formulas,
// evaluated here entry by entry, over whole revolutions at several settings.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "KinematicsFixture.h"
#include "ReferenceSearch.h"
#include "animation/ContactSearch.h"
#include "animation/Linkage.h"

namespace {

void PlainPitchRotation(const AnimationState& s, double camAngleRad, PlainTables& t) {
  const MechanismConstants& k = s.constants;
  for (int j = 0; j <= 7200; ++j) {
    const double a = k.pi * j / 3600 + camAngleRad;
    const double r = s.tables->profile.camPitchRadius[j % 7200];
    t.pitchX[j] = k.camCentreX + r * std::sin(a);
    t.pitchY[j] = k.camCentreY + r * std::cos(a);
  }
}

void PlainLeverTurning(const AnimationState& s, double leverAngle, PlainTables& t) {
  const MechanismConstants& k = s.constants;
  for (int i = 750; i <= 3600; ++i) {
    const double dx = s.tables->profile.leverCurveX[i] - k.leverPivotX;
    const double dy = s.tables->profile.leverCurveY[i] - k.leverPivotY;
    const double r = std::sqrt(dx * dx + dy * dy);
    const double u = std::atan(dy / dx);
    t.leverX[i] = k.leverPivotX + r * std::cos(u + leverAngle);
    t.leverY[i] = k.leverPivotY + r * std::sin(u + leverAngle);
  }
}

struct Setting {
  int scroll1;
  double step;
};

class KinematicsEquivalence : public KinematicsFixture,
                              public ::testing::WithParamInterface<Setting> {};

TEST_P(KinematicsEquivalence, SameNumbersAndSameIndicesAsThePlainFormulas) {
  SetControlShafts(S(), GetParam().scroll1, 200);
  auto plain = std::make_unique<PlainTables>();
  PlainLeverTurning(S(), S().leverAngle, *plain);
  TurnLeverCurve(S());
  for (int i = 0; i <= kLeverLast; ++i) {
    ASSERT_NEAR(S().leverCurveNowX[i], plain->leverX[i], 1e-9) << i;
    ASSERT_NEAR(S().leverCurveNowY[i], plain->leverY[i], 1e-9) << i;
  }

  int frames = 0;
  for (double camAngle = 0; camAngle <= 359; camAngle += GetParam().step, ++frames) {
    TurnCamTo(camAngle);
    PlainPitchRotation(S(), S().camAngleRad, *plain);
    for (int j = 0; j <= 7200; ++j) {
      ASSERT_NEAR(S().camPitchX[j], plain->pitchX[j], 1e-9) << camAngle << " " << j;
      ASSERT_NEAR(S().camPitchY[j], plain->pitchY[j], 1e-9) << camAngle << " " << j;
    }
    RunContactSearch(S());
    const PlainResult expected = PlainSearch(*plain, camAngle);
    ASSERT_EQ(S().bestPitchIndex, expected.pitch) << camAngle;
    ASSERT_EQ(S().bestLeverIndex, expected.lever) << camAngle;
    ASSERT_NEAR(S().rollerX, expected.rollerX, 1e-9) << camAngle;
    ASSERT_NEAR(S().rollerY, expected.rollerY, 1e-9) << camAngle;
  }
  EXPECT_EQ(frames, static_cast<int>(359 / GetParam().step) + 1);
}

INSTANTIATE_TEST_SUITE_P(Settings, KinematicsEquivalence,
                         ::testing::Values(Setting{0, 4}, Setting{30, 4}, Setting{60, 4},
                                           Setting{90, 4}, Setting{115, 4}, Setting{60, 0.25},
                                           Setting{17, 0.37}, Setting{101, 10}));

}  // namespace
