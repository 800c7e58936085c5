// Lift, velocity, acceleration and jerk of the exact model: consistent with each other,
// and smooth.
#include "analysis/SvajSeries.h"

#include "analysis/PitchCurve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <boost/math/tools/minima.hpp>
#include <cmath>
#include <vector>

namespace {

struct Mode {
  int lever;
  int eccentric;
};

// The window's start, the largest lift (second solver branch), a mode whose roller
// runs far onto the corner arc, and a mode that barely opens.
const Mode kModes[] = {{60, 200}, {0, 700}, {94, 700}, {115, 350}};

// Which smooth piece of the two curves carries the free roller: the lever's arc, and
// whether the cam's pitch curve is on its lobe or on its base circle there. The
// curvature of one of them, and with it the acceleration, jumps where this changes.
int Piece(const ExactKinematics& model, double crank) {
  const ExactPose pose = model.PoseAt(crank);
  const MechanismConstants& k = model.Constants();
  const int arc = pose.leverCurveAngle < model.Face().CornerStartAngle()  ? 0
                  : pose.leverCurveAngle < model.Face().FlankStartAngle() ? 1
                                                                          : 2;
  const double camAngle = (crank / 2) * k.pi / 180;
  const double rest = std::atan2(pose.rollerX - k.camCentreX, pose.rollerY - k.camCentreY) - camAngle;
  const bool onBase = PitchRadiusAt(WindowMechanism()->Lobe(), rest) == k.camBaseRadius;
  return 2 * arc + (onBase ? 1 : 0);
}

// The crank angles in [from, to] where the roller passes from one piece to another,
// found by bisection; assumes at most one such change within the interval.
std::vector<double> PieceChanges(const ExactKinematics& model, double from, double to) {
  const int first = Piece(model, from);
  if (Piece(model, to) == first) return {};
  double a = from;
  double b = to;
  while (b - a > 1e-11) {
    const double middle = (a + b) / 2;
    (Piece(model, middle) == first ? a : b) = middle;
  }
  return {a};
}

TEST(Svaj, IntegratingEachDerivativeGivesBackTheOneAbove) {
  // Over every 4 crank degrees, the integral of velocity is the change of lift, and so
  // on down, by Gauss-Kronrod quadrature, split where the acceleration jumps. Noise in
  // any of the sampled curves would show here as a mismatch of its own size.
  using boost::math::quadrature::gauss_kronrod;
  const double span = 4;
  const double side = 1e-9;  // one-sided values next to a jump
  for (const Mode& mode : kModes) {
    const ExactKinematics model(mode.lever, mode.eccentric);
    const auto integral = [&](double from, double to, double ExactSvaj::*derivative) {
      return gauss_kronrod<double, 15>::integrate(
          [&](double crank) { return model.SvajAt(crank).*derivative; }, from, to, 3, 1e-13);
    };
    double worst[3] = {0, 0, 0};
    for (double start = 0; start < 720; start += span) {
      std::vector<double> bounds = {start};
      for (double change : PieceChanges(model, start, start + span)) bounds.push_back(change);
      bounds.push_back(start + span);
      for (std::size_t i = 0; i + 1 < bounds.size(); ++i) {
        const double from = bounds[i];
        const double to = bounds[i + 1];
        const ExactSvaj a = model.SvajAt(i == 0 ? from : from + side);
        const ExactSvaj b = model.SvajAt(i + 2 == bounds.size() ? to : to - side);
        ASSERT_EQ(a.outcome, ExactOutcome::Placed);
        ASSERT_EQ(b.outcome, ExactOutcome::Placed);
        worst[0] = std::max(worst[0], std::abs(integral(from, to, &ExactSvaj::velocity) -
                                               (b.lift - a.lift)));
        worst[1] = std::max(worst[1], std::abs(integral(from, to, &ExactSvaj::acceleration) -
                                               (b.velocity - a.velocity)));

        worst[2] = std::max(worst[2], std::abs(integral(from, to, &ExactSvaj::jerk) -
                                               (b.acceleration - a.acceleration)));
      }
    }
    EXPECT_LT(worst[0], 1e-9) << mode.lever << "," << mode.eccentric;   // mm
    EXPECT_LT(worst[1], 1e-10) << mode.lever << "," << mode.eccentric;  // mm/deg
    EXPECT_LT(worst[2], 1e-8) << mode.lever << "," << mode.eccentric;   // mm/deg^2
  }
}

TEST(Svaj, VelocityIsZeroWhereTheLiftPeaks) {
  for (const Mode& mode : kModes) {
    const ExactKinematics model(mode.lever, mode.eccentric);
    const std::vector<SvajSample> series = SvajSeries(model, 1);
    const auto top = std::max_element(series.begin(), series.end(), [](const auto& a, const auto& b) {
      return a.svaj.lift < b.svaj.lift;
    });
    // The peak found from the lift alone, to about 1e-6 degree.
    const auto [peak, lowest] = boost::math::tools::brent_find_minima(
        [&](double crank) { return model.PoseAt(crank).valveY; }, top->crankDeg - 1,
        top->crankDeg + 1, 40);
    const ExactSvaj atPeak = model.SvajAt(peak);
    EXPECT_NEAR(atPeak.lift, -lowest, 1e-12);
    EXPECT_GE(atPeak.lift, top->svaj.lift);
    EXPECT_LT(atPeak.acceleration, 0);
    // Zero up to what the peak's place allows, and rising before it, falling after.
    EXPECT_LT(std::abs(atPeak.velocity), 1e-5 * std::abs(atPeak.acceleration));
    EXPECT_GT(model.SvajAt(peak - 1e-4).velocity, 0);
    EXPECT_LT(model.SvajAt(peak + 1e-4).velocity, 0);
  }
}

}  // namespace
