#include "analysis/MechanismProfile.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/Autodiff.h"
#include "analysis/LeverFace.h"
#include "analysis/PitchCurve.h"

namespace {

double Radians(double deg) { return deg * std::numbers::pi / 180; }
double Degrees(double rad) { return rad * 180 / std::numbers::pi; }

}  // namespace

std::vector<ProfilePoint> CamSurface(const Mechanism& mechanism, double stepDeg) {
  namespace autodiff = boost::math::differentiation;
  const double roller = mechanism.GetDesign().freeRollerRadiusMm;
  std::vector<ProfilePoint> points;
  const auto count = static_cast<int>(std::ceil(360 / stepDeg - 1e-9));
  points.reserve(count);
  for (int i = 0; i < count; ++i) {
    const double angle = Radians(i * stepDeg);
    const auto r = PitchRadiusAt(mechanism.Lobe(), autodiff::make_fvar<double, 1>(angle));
    const double radius = r.derivative(0);
    const double slope = r.derivative(1);
    // The pitch point (r sin a, r cos a) and its tangent; the inward normal is the
    // tangent turned towards the axis.
    const double px = radius * std::sin(angle);
    const double py = radius * std::cos(angle);
    const double tx = slope * std::sin(angle) + radius * std::cos(angle);
    const double ty = slope * std::cos(angle) - radius * std::sin(angle);
    const double length = std::hypot(tx, ty);
    double nx = ty / length;
    double ny = -tx / length;
    if (nx * px + ny * py > 0) {
      nx = -nx;
      ny = -ny;
    }
    points.push_back({i * stepDeg, px + roller * nx, py + roller * ny});
  }
  return points;
}

std::vector<ProfilePoint> LeverWorkingFace(const Mechanism& mechanism, double stepDeg) {
  const LeverFace face(mechanism, 0);
  const double roller = mechanism.GetDesign().freeRollerRadiusMm;
  const MechanismConstants& k = mechanism.Constants();
  std::vector<double> angles;
  const double first = face.FirstAngle();
  const double last = face.LastAngle();
  const double step = Radians(stepDeg);
  const auto count = static_cast<int>(std::floor((last - first) / step + 1e-9));
  for (int i = 0; i <= count; ++i) angles.push_back(first + i * step);
  if (angles.back() < last) angles.push_back(last);
  for (int s = 0; s + 1 < face.SegmentCount(); ++s) {
    if (face.JoinAngle(s) > first && face.JoinAngle(s) < last) angles.push_back(face.JoinAngle(s));
  }
  std::sort(angles.begin(), angles.end());

  std::vector<ProfilePoint> points;
  points.reserve(angles.size());
  for (const double t : angles) {
    const int segment = face.ArcAt(t);
    double x = 0;
    double y = 0;
    face.PointOnArc(segment, t, x, y);
    // The face lies beyond the roller centre's path, seen from its centre of curvature.
    const double scale = roller / face.Radius(segment, t);
    const LeverFace::Centre centre = face.CentreAt(segment, t);
    x += scale * (x - centre.x);
    y += scale * (y - centre.y);
    points.push_back({Degrees(t), x - k.leverPivotX, y - k.leverPivotY});
  }
  return points;
}
