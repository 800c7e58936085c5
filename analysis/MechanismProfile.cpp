#include "analysis/MechanismProfile.h"

#include <algorithm>
#include <cmath>

#include "analysis/Autodiff.h"
#include "analysis/LeverFace.h"
#include "analysis/PitchCurve.h"
#include "animation/Linkage.h"

namespace {

constexpr double kRollerRadius = kRollerSpacing / 2;

double Radians(double deg, const MechanismConstants& k) { return deg * k.pi / 180; }
double Degrees(double rad, const MechanismConstants& k) { return rad * 180 / k.pi; }

}  // namespace

double ProfileRollerRadius() { return kRollerRadius; }

std::vector<ProfilePoint> CamSurface(const MechanismConstants& k, double stepDeg) {
  namespace autodiff = boost::math::differentiation;
  std::vector<ProfilePoint> points;
  const auto count = static_cast<int>(std::ceil(360 / stepDeg - 1e-9));
  points.reserve(count);
  for (int i = 0; i < count; ++i) {
    const double angle = Radians(i * stepDeg, k);
    const auto r = PitchRadiusAt(k, autodiff::make_fvar<double, 1>(angle));
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
    points.push_back({i * stepDeg, px + kRollerRadius * nx, py + kRollerRadius * ny});
  }
  return points;
}

std::vector<ProfilePoint> LeverWorkingFace(const MechanismConstants& k, double stepDeg) {
  const LeverFace face(k, 0);
  std::vector<double> angles;
  const double first = Degrees(face.FirstAngle(), k);
  const double last = Degrees(face.LastAngle(), k);
  const auto count = static_cast<int>(std::floor((last - first) / stepDeg + 1e-9));
  for (int i = 0; i <= count; ++i) angles.push_back(first + i * stepDeg);
  if (angles.back() < last) angles.push_back(last);
  angles.push_back(Degrees(face.CornerStartAngle(), k));
  angles.push_back(Degrees(face.FlankStartAngle(), k));
  std::sort(angles.begin(), angles.end());

  std::vector<ProfilePoint> points;
  points.reserve(angles.size());
  for (const double deg : angles) {
    const double t = Radians(deg, k);
    const int arc = face.ArcAt(t);
    // The face lies beyond the roller centre's path, seen from the arc's centre.
    const double radius = face.Radius(arc) + kRollerRadius;
    points.push_back({deg, face.CentreX(arc) + radius * std::sin(t) - k.leverPivotX,
                      face.CentreY(arc) + radius * std::cos(t) - k.leverPivotY});
  }
  return points;
}
