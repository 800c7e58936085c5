// The working surfaces as coordinates: each a roller radius from the path of the roller
// centre the kinematics use, and the cam's close to the window's own outline table.
#include "analysis/MechanismProfile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "analysis/LeverFace.h"
#include "analysis/PitchCurve.h"
#include "geometry/ProfileTables.h"

namespace {

double Radians(double deg) { return deg * std::numbers::pi / 180; }

TEST(MechanismProfile, CamSurfaceIsARollerRadiusInsideThePitchCurveEverywhere) {
  const Mechanism& mechanism = *WindowMechanism();
  const double roller = mechanism.GetDesign().freeRollerRadiusMm;
  const std::vector<ProfilePoint> surface = CamSurface(mechanism, 1);
  ASSERT_EQ(surface.size(), 360u);
  // The pitch curve, densely about each surface point's own angle: its nearest point
  // lies exactly a roller radius away, and none nearer (the roller fits everywhere).
  double lowest = std::numeric_limits<double>::infinity();
  double highest = 0;
  for (const ProfilePoint& s : surface) {
    double nearest = std::numeric_limits<double>::infinity();
    for (int i = -6000; i <= 6000; ++i) {
      const double a = Radians(s.angleDeg + i * 0.001);
      const double r = PitchRadiusAt(mechanism.Lobe(), a);
      nearest = std::min(nearest, std::hypot(s.x - r * std::sin(a), s.y - r * std::cos(a)));
    }
    ASSERT_NEAR(nearest, roller, 2e-6) << s.angleDeg;
    const double radius = std::hypot(s.x, s.y);
    lowest = std::min(lowest, radius);
    highest = std::max(highest, radius);
  }
  EXPECT_NEAR(lowest, 14.5, 1e-12);   // on the base circle
  EXPECT_NEAR(highest, 21.84, 0.01);  // the lobe's top

  // The window's outline table takes its points a chord's normal off the pitch curve:
  // each entry lies on the continuous surface to within what that chord leaves.
  ProfileTables tables;
  BuildProfileTables(mechanism, tables);
  constexpr double kFineDeg = 0.002;
  const std::vector<ProfilePoint> fine = CamSurface(mechanism, kFineDeg);
  for (int entry = 1; entry <= kOutlineLast; entry += 7) {
    double nearest = std::numeric_limits<double>::infinity();
    const long at = std::lround(entry / 2.0 / kFineDeg);
    for (long i = at - 2000; i <= at + 2000; ++i) {
      const ProfilePoint& s = fine[static_cast<std::size_t>((i + long(fine.size())) % long(fine.size()))];
      nearest = std::min(nearest, std::hypot(s.x - tables.camOutlineX[entry], s.y - tables.camOutlineY[entry]));
    }
    EXPECT_LT(nearest, 2e-3) << "outline entry " << entry;
  }
}

TEST(MechanismProfile, LeverFaceLiesARollerRadiusBeyondTheRollersPathAndRunsWithoutAStep) {
  const Mechanism& mechanism = *WindowMechanism();
  const double roller = mechanism.GetDesign().freeRollerRadiusMm;
  const MechanismConstants& k = mechanism.Constants();
  const LeverFace face(mechanism, 0);
  const std::vector<ProfilePoint> points = LeverWorkingFace(mechanism, 1.0 / 30);
  ASSERT_GT(points.size(), 2800u);
  std::vector<int> seen(face.SegmentCount());
  for (std::size_t i = 0; i < points.size(); ++i) {
    const ProfilePoint& p = points[i];
    const double t = Radians(p.angleDeg);
    const int segment = face.ArcAt(t);
    ++seen[segment];
    // Along the normal: the roller radius off the path, its curvature centre further in.
    double x = 0;
    double y = 0;
    face.PointOnArc(segment, t, x, y);
    EXPECT_NEAR(std::hypot(p.x + k.leverPivotX - x, p.y + k.leverPivotY - y), roller, 1e-9) << p.angleDeg;
    const double fromCentre = std::hypot(p.x + k.leverPivotX - face.CentreX(segment, t),
                                         p.y + k.leverPivotY - face.CentreY(segment, t));
    EXPECT_NEAR(fromCentre, face.Radius(segment, t) + roller, 1e-9) << p.angleDeg;
    if (i > 0) {
      EXPECT_GT(p.angleDeg, points[i - 1].angleDeg);
      // No step between neighbours: at most the largest face radius times the step.
      const double largest = face.Curve().LargestRadius() + roller;
      EXPECT_LT(std::hypot(p.x - points[i - 1].x, p.y - points[i - 1].y), largest * Radians(1.0 / 30) + 1e-9);
    }
  }
  for (int s = 0; s < face.SegmentCount(); ++s) EXPECT_GT(seen[s], 0) << "segment " << s;
}

}  // namespace
