#include "analysis/CurvatureJumps.h"

#include <algorithm>
#include <boost/math/tools/toms748_solve.hpp>
#include <cmath>
#include <cstdint>

#include "analysis/CrossingSeries.h"
#include "geometry/CamLobe.h"

namespace {

constexpr double kCycleCrankDeg = 720;
// The crank angle found must put the roller on the point it was found for.
constexpr double kOnThePointMm = 1e-7;
// Samples of the lever curve when looking for where it meets the base circle, and of
// the lobe when looking for a lift.
constexpr int kCurveSamples = 64;
constexpr int kLobeSamples = 256;

double WrappedCrank(double camAngleRad, const MechanismConstants& k) {
  const double crank = std::fmod(camAngleRad * 360 / k.pi, kCycleCrankDeg);
  return crank < 0 ? crank + kCycleCrankDeg : crank;
}

double RestAngleOfStep(double step, const MechanismConstants& k) {
  return step * 2 * k.pi / kCamStepsPerTurn;
}

// Keeps crank if the roller really sits at (x, y) there.
bool RollerThere(const ExactKinematics& model, double crank, double x, double y) {
  const ExactPose pose = model.PoseAt(crank);
  return pose.outcome == ExactOutcome::Placed && std::hypot(pose.rollerX - x, pose.rollerY - y) <= kOnThePointMm;
}

// The lobe steps where the lobe lifts the pitch curve by the given height: one on the
// rise and one on the fall. The cosine-power law is solved in closed form; the others
// are bracketed between samples of the lobe.
std::vector<double> LobeStepsAtLift(const CamLobe& lobe, double lift, const MechanismConstants& k) {
  std::vector<double> steps;
  if (lobe.law == LobeLaw::CosinePower) {
    const double q = lift / (2 * lobe.liftHalf);  // sin^2(phase / 2)
    if (!(q > 0 && q < 1)) return steps;
    const double half = std::asin(std::sqrt(q));
    for (const double phase : {2 * half, 2 * k.pi - 2 * half}) {
      steps.push_back(lobe.steps * std::pow(phase / (2 * k.pi), 1 / lobe.exponent));
    }
    return steps;
  }
  const auto above = [&](double i) { return LobeLiftAt(lobe, i) - lift; };
  for (int n = 0; n < kLobeSamples; ++n) {
    const double a = lobe.steps * n / kLobeSamples;
    const double b = lobe.steps * (n + 1) / kLobeSamples;
    const double fa = above(a);
    const double fb = above(b);
    if ((fa < 0) == (fb < 0)) continue;
    std::uintmax_t iterations = 200;
    const auto [lo, hi] = boost::math::tools::toms748_solve(
        above, a, b, fa, fb, [](double u, double v) { return std::abs(v - u) < 1e-12; }, iterations);
    steps.push_back((lo + hi) / 2);
  }
  return steps;
}

// Crank angles at which the pitch curve passes through the point (x, y): the lobe's
// rule solved for the rest angle where the pitch radius is the point's distance.
std::vector<double> PitchCurveThrough(const ExactKinematics& model, double x, double y) {
  std::vector<double> angles;
  const MechanismConstants& k = model.Constants();
  const CamLobe& lobe = model.GetMechanism().Lobe();
  const double dx = x - k.camCentreX;
  const double dy = y - k.camCentreY;
  for (const double lobeStep : LobeStepsAtLift(lobe, std::hypot(dx, dy) - k.camBaseRadius, k)) {
    const double rest = RestAngleOfStep(lobe.startStep + lobeStep, k);
    const double crank = WrappedCrank(std::atan2(dx, dy) - rest, k);
    if (RollerThere(model, crank, x, y)) angles.push_back(crank);
  }
  return angles;
}

std::vector<CurvatureJump> Sorted(std::vector<CurvatureJump> jumps) {
  std::sort(jumps.begin(), jumps.end(),
            [](const CurvatureJump& a, const CurvatureJump& b) { return a.crankDeg < b.crankDeg; });
  return jumps;
}

}  // namespace

std::vector<CurvatureJump> CurvatureJumps(const ExactKinematics& model) {
  const MechanismConstants& k = model.Constants();
  const LeverFace& face = model.Face();
  std::vector<CurvatureJump> jumps;

  // The roller's curve angle rises or falls through the hand-over: that says which arc
  // comes first. Where it only touches it, nothing changes. A blend leaves the
  // curvature continuous, as does a join of two equal radii.
  const std::vector<LeverSegment>& segments = face.Curve().Segments();
  for (int lower = 0; lower + 1 < face.SegmentCount(); ++lower) {
    const int upper = lower + 1;
    if (face.IsBlend(lower) || face.IsBlend(upper) || segments[lower].radius == segments[upper].radius) {
      continue;
    }
    const double handOver = face.JoinAngle(lower);
    double x = 0;
    double y = 0;
    face.PointOnArc(upper, handOver, x, y);
    for (const double crank : PitchCurveThrough(model, x, y)) {
      const double slope = GapSlopeAt(model, upper, handOver, model.CamAngleRad(crank));
      if (!(slope != 0) || !std::isfinite(slope)) continue;
      const double rate = CurveAngleSeries<1>(model, upper, handOver, crank, slope).derivative(1);
      if (rate > 0) jumps.push_back({crank, lower, upper});
      if (rate < 0) jumps.push_back({crank, upper, lower});
    }
  }

  // Where the lever curve crosses the base circle, the roller meets the lobe's ends;
  // only the cosine-power law's curvature jumps there (the polynomial's does not).
  const CamLobe& lobe = model.GetMechanism().Lobe();
  if (lobe.law != LobeLaw::CosinePower) return Sorted(std::move(jumps));
  const auto fromBase = [&](double t) {
    double x = 0;
    double y = 0;
    face.PointAt(t, x, y);
    return std::hypot(x - k.camCentreX, y - k.camCentreY) - k.camBaseRadius;
  };
  const double first = face.FirstAngle();
  const double span = face.LastAngle() - first;
  for (int i = 0; i < kCurveSamples; ++i) {
    const double a = first + span * i / kCurveSamples;
    const double b = first + span * (i + 1) / kCurveSamples;
    const double fa = fromBase(a);
    const double fb = fromBase(b);
    if ((fa < 0) == (fb < 0)) continue;
    std::uintmax_t iterations = 200;
    const auto [lo, hi] = boost::math::tools::toms748_solve(
        fromBase, a, b, fa, fb, [](double u, double v) { return std::abs(v - u) < 1e-15; }, iterations);
    const double t = (lo + hi) / 2;
    double x = 0;
    double y = 0;
    face.PointAt(t, x, y);
    const double direction = std::atan2(x - k.camCentreX, y - k.camCentreY);
    for (const double step : {lobe.startStep, lobe.startStep + lobe.steps}) {
      const double crank = WrappedCrank(direction - RestAngleOfStep(step, k), k);
      if (RollerThere(model, crank, x, y)) jumps.push_back({crank});
    }
  }
  return Sorted(std::move(jumps));
}
