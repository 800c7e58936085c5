// The working surfaces as coordinates: each a roller radius from the path of the roller
// centre the kinematics use, and the cam's close to the window's own outline table.
#include "analysis/MechanismProfile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "analysis/LeverFace.h"
#include "analysis/PitchCurve.h"
#include "geometry/ProfileTables.h"

namespace {

double Radians(double deg, const MechanismConstants& k) { return deg * k.pi / 180; }

TEST(MechanismProfile, CamSurfaceIsARollerRadiusInsideThePitchCurveEverywhere) {
  const MechanismConstants k = MakeMechanismConstants();
  const std::vector<ProfilePoint> surface = CamSurface(k, 1);
  ASSERT_EQ(surface.size(), 360u);
  // The pitch curve, densely about each surface point's own angle: its nearest point
  // lies exactly a roller radius away, and none nearer (the roller fits everywhere).
  double lowest = std::numeric_limits<double>::infinity();
  double highest = 0;
  for (const ProfilePoint& s : surface) {
    double nearest = std::numeric_limits<double>::infinity();
    for (int i = -6000; i <= 6000; ++i) {
      const double a = Radians(s.angleDeg + i * 0.001, k);
      const double r = PitchRadiusAt(k, a);
      nearest = std::min(nearest, std::hypot(s.x - r * std::sin(a), s.y - r * std::cos(a)));
    }
    ASSERT_NEAR(nearest, ProfileRollerRadius(), 2e-6) << s.angleDeg;
    const double radius = std::hypot(s.x, s.y);
    lowest = std::min(lowest, radius);
    highest = std::max(highest, radius);
  }
  EXPECT_NEAR(lowest, 14.5, 1e-12);  // on the base circle
  EXPECT_NEAR(highest, 21.84, 0.01);  // the lobe's top

  // The window's outline table takes its points a chord's normal off the pitch curve:
  // each entry lies on the continuous surface to within what that chord leaves.
  ProfileTables tables;
  BuildProfileTables(k, tables);
  constexpr double kFineDeg = 0.002;
  const std::vector<ProfilePoint> fine = CamSurface(k, kFineDeg);
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

TEST(MechanismProfile, LeverFaceLiesARollerRadiusBeyondEachArcAndRunsWithoutAStep) {
  const MechanismConstants k = MakeMechanismConstants();
  const LeverFace face(k, 0);
  const std::vector<ProfilePoint> points = LeverWorkingFace(k, 1.0 / 30);
  ASSERT_GT(points.size(), 2800u);
  int onCorner = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const ProfilePoint& p = points[i];
    const int arc = face.ArcAt(Radians(p.angleDeg, k));
    onCorner += arc == 1 ? 1 : 0;
    const double fromCentre = std::hypot(p.x + k.leverPivotX - face.CentreX(arc), p.y + k.leverPivotY - face.CentreY(arc));
    EXPECT_NEAR(fromCentre, face.Radius(arc) + ProfileRollerRadius(), 1e-9) << p.angleDeg;
    if (i > 0) {
      EXPECT_GE(p.angleDeg, points[i - 1].angleDeg);
      // No step between neighbours: at most the flank's 39.5 mm radius times the step.
      EXPECT_LT(std::hypot(p.x - points[i - 1].x, p.y - points[i - 1].y), 39.5 * Radians(1.0 / 30, k) + 1e-9);
    }
  }
  EXPECT_GT(onCorner, 100);
  // The hand-overs are points of the face, where both arcs give the same point.
  for (const double handOver : {face.CornerStartAngle(), face.FlankStartAngle()}) {
    const int before = face.ArcAt(handOver) - 1;
    const double r0 = face.Radius(before) + ProfileRollerRadius();
    const double r1 = face.Radius(before + 1) + ProfileRollerRadius();
    EXPECT_NEAR(face.CentreX(before) + r0 * std::sin(handOver), face.CentreX(before + 1) + r1 * std::sin(handOver), 1e-9);
    EXPECT_NEAR(face.CentreY(before) + r0 * std::cos(handOver), face.CentreY(before + 1) + r1 * std::cos(handOver), 1e-9);
  }
}

}  // namespace
