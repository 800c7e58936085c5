#include <gtest/gtest.h>

#include "app/WindowUnits.h"

using namespace window_units;

TEST(WindowUnits, CornersOfTheClientArea) {
  EXPECT_DOUBLE_EQ(ToPixelX(-134), 0.0);
  EXPECT_DOUBLE_EQ(ToPixelY(75), 0.0);
  EXPECT_NEAR(ToPixelX(41.076), kClientWidth, 0.01);
  EXPECT_NEAR(ToPixelY(-46.157), kClientHeight, 0.01);
  EXPECT_DOUBLE_EQ(FromPixelX(0), -134.0);
  EXPECT_DOUBLE_EQ(FromPixelY(0), 75.0);
}

TEST(WindowUnits, RedCrossAtTheOriginAndScalesPerAxis) {
  EXPECT_NEAR(ToPixelX(0), 734.7666, 0.001);
  EXPECT_NEAR(ToPixelY(0), 409.799, 0.001);
  EXPECT_NEAR(ToPixelX(1) - ToPixelX(0), 82.24999237 / 15, 1e-12);
  EXPECT_NEAR(ToPixelY(0) - ToPixelY(1), 81.95977 / 15, 1e-12);  // y grows upward
  EXPECT_NEAR(LengthToPixels(10), ToPixelX(10) - ToPixelX(0), 1e-9);
}

TEST(WindowUnits, RoundTripBothWays) {
  for (double v : {-134.0, -45.5, 0.0, 3.39237, 41.0}) {
    EXPECT_NEAR(FromPixelX(ToPixelX(v)), v, 1e-9);
    EXPECT_NEAR(FromPixelY(ToPixelY(v)), v, 1e-9);
  }
}

TEST(WindowUnits, TheDesignGridAndFrameFitAtTheDesignedSize) {
  EXPECT_NEAR(FromPixelY(kClientHeight), -46.157, 0.001);  // plot base y = -45 is 1.157 above
  EXPECT_NEAR(FromPixelX(kClientWidth), 41.076, 0.001);    // frame x = 40 is 1.076 left
}
