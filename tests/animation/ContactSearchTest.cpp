#include <gtest/gtest.h>

#include <cmath>

#include "KinematicsFixture.h"
#include "animation/ContactSearch.h"

namespace {

TEST(CoarsePitchIndex, CoversTheSectorFacingTheLeverAtAnyCamAngle) {
  EXPECT_EQ(CoarsePitchIndex(0, 0), 2750);
  EXPECT_EQ(CoarsePitchIndex(0, 22), 3190);
  // 2750 - 3000 = -250 wraps into the turn; the sector then crosses entry 0.
  EXPECT_EQ(CoarsePitchIndex(150, 0), 6950);
  EXPECT_EQ(CoarsePitchIndex(150, 12), 7190);
  EXPECT_EQ(CoarsePitchIndex(150, 13), 10);
  EXPECT_EQ(CoarsePitchIndex(150, 22), 190);
  EXPECT_EQ(CoarsePitchIndex(200, 0), 5950);
  EXPECT_EQ(CoarsePitchIndex(200, 22), 6390);
  EXPECT_EQ(CoarsePitchIndex(2.5, 0), 2700);
}

TEST(CoarsePitchIndex, RoundsHalvesToEven) {
  EXPECT_EQ(CoarsePitchIndex(0.125, 0), 2748);  // 2747.5
  EXPECT_EQ(CoarsePitchIndex(0.375, 0), 2742);  // 2742.5
  EXPECT_EQ(CoarsePitchIndex(0.4, 0), 2742);    // 2742, not a half
}

class ContactSearch : public KinematicsFixture {
 protected:
  // Every lever entry far from the cam (but within the search's first bound), so
  // only the entries a test places matter.
  void ParkLever() {
    for (int k = 0; k <= kLeverLast; ++k) {
      S().leverCurveNowX[k] = S().constants.camCentreX + 45;
      S().leverCurveNowY[k] = S().constants.camCentreY;
    }
  }
  void PlaceLever(int k, double x, double y) {
    S().leverCurveNowX[k] = x;
    S().leverCurveNowY[k] = y;
  }
};

TEST_F(ContactSearch, FineWindowPastTheTurnsEndReadsTheCopiedEntries) {
  TurnCamTo(150);
  ParkLever();
  const double x10 = S().camPitchX[10], y10 = S().camPitchY[10];
  const double x25 = S().camPitchX[25], y25 = S().camPitchY[25];
  PlaceLever(2000, x10 + 0.001, y10);  // the coarse stage's pick: (10, 2000)
  PlaceLever(2005, x25, y25);          // only the fine stage meets it, as entry 7225

  RunContactSearch(S());

  EXPECT_EQ(S().bestPitchIndex, 7225);
  EXPECT_EQ(S().bestLeverIndex, 2005);
  EXPECT_EQ(S().camPitchX[7225], x25);
  EXPECT_EQ(S().camPitchY[7240], S().camPitchY[40]);
  EXPECT_DOUBLE_EQ(S().rollerX, x25);
  EXPECT_DOUBLE_EQ(S().rollerY, y25);
}

TEST_F(ContactSearch, LeverWindowStopsAtTheTablesEnd) {
  TurnCamTo(0);
  ParkLever();
  PlaceLever(3600, S().camPitchX[3000] + 0.001, S().camPitchY[3000]);
  PlaceLever(3595, S().camPitchX[3010], S().camPitchY[3010]);

  RunContactSearch(S());

  EXPECT_EQ(S().bestPitchIndex, 3010);
  EXPECT_EQ(S().bestLeverIndex, 3595);
  EXPECT_EQ(S().bestDistSq, 0);
}

TEST_F(ContactSearch, AmongEqualDistancesTheFirstPairScannedWins) {
  TurnCamTo(0);
  ParkLever();
  const double x = S().camPitchX[3000] + 0.01, y = S().camPitchY[3000];
  PlaceLever(1000, x, y);
  PlaceLever(1020, x, y);  // scanned later in the coarse stage and in the fine window
  PlaceLever(1013, x, y);  // fine window only

  RunContactSearch(S());

  EXPECT_EQ(S().bestLeverIndex, 1000);
}

TEST_F(ContactSearch, FineLeverWindowFollowsEachImprovement) {
  TurnCamTo(0);
  ParkLever();
  // A chain of lever entries 15 apart, each just outside the next pitch entry and a
  // little nearer to it than the one before: only a lever window re-centred for
  // every pitch entry can follow it beyond the first 20 entries.
  const double cx = S().constants.camCentreX, cy = S().constants.camCentreY;
  for (int step = 0; step <= 10; ++step) {
    const int j = 3000 + step;
    const double rx = S().camPitchX[j] - cx, ry = S().camPitchY[j] - cy;
    const double outward = (0.1 - 0.009 * step) / std::sqrt(rx * rx + ry * ry);
    PlaceLever(2000 + 15 * step, S().camPitchX[j] + outward * rx, S().camPitchY[j] + outward * ry);
  }

  RunContactSearch(S());

  EXPECT_EQ(S().bestPitchIndex, 3010);
  EXPECT_EQ(S().bestLeverIndex, 2150);
}

}  // namespace
