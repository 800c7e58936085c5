#include <gtest/gtest.h>

#include "app/WindowUnits.h"

using namespace window_units;

// The landmarks: the top-left corner is (-134, 75), the red cross at the origin,
// and at the designed size the right and bottom edges at 41.076 and -46.157.
TEST(WindowUnits, LandmarksOfTheClientArea) {
  EXPECT_DOUBLE_EQ(ToPixelX(-134), 0.0);
  EXPECT_DOUBLE_EQ(ToPixelY(75), 0.0);
  EXPECT_NEAR(ToPixelX(0), 734.7666, 0.001);
  EXPECT_NEAR(ToPixelY(0), 409.7989, 0.001);
  EXPECT_NEAR(FromPixelX(kClientWidth), 41.076, 0.001);
  EXPECT_NEAR(FromPixelY(kClientHeight), -46.157, 0.001);
  EXPECT_NEAR(ToPixelY(0) - ToPixelY(1), 81.95977 / 15, 1e-12);  // y grows upward
  EXPECT_NEAR(LengthToPixels(10), ToPixelX(10) - ToPixelX(0), 1e-9);  // radii in x units
}

TEST(WindowUnits, RoundTripBothWays) {
  for (double v : {-134.0, -45.5, 0.0, 3.39237, 41.0}) {
    EXPECT_NEAR(FromPixelX(ToPixelX(v)), v, 1e-9);
    EXPECT_NEAR(FromPixelY(ToPixelY(v)), v, 1e-9);
  }
}
