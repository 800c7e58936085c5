#include "analysis/PitchContact.h"

#include "analysis/Autodiff.h"
#include <cmath>

#include "analysis/PitchCurve.h"

PitchContact PitchContactAt(const Mechanism& mechanism, double x, double y, double camAngleRad) {
  namespace autodiff = boost::math::differentiation;
  const MechanismConstants& k = mechanism.Constants();
  const double dx = x - k.camCentreX;
  const double dy = y - k.camCentreY;
  const double r2 = dx * dx + dy * dy;
  const double r = std::sqrt(r2);
  // The pitch radius rho and its first two derivatives by direction psi (from +y
  // towards +x) at the point's rest direction.
  const auto rho = PitchRadiusAt(mechanism.Lobe(), autodiff::make_fvar<double, 2>(std::atan2(dx, dy) - camAngleRad));
  const double p = rho.derivative(0);
  const double p1 = rho.derivative(1);
  const double p2 = rho.derivative(2);

  // The gap |point - centre| - rho(psi) grows outwards; its gradient is the normal.
  // d psi / dx = dy / r^2, d psi / dy = -dx / r^2.
  const double gx = dx / r - p1 * dy / r2;
  const double gy = dy / r + p1 * dx / r2;
  const double g = std::hypot(gx, gy);
  PitchContact contact;
  contact.normalX = gx / g;
  contact.normalY = gy / g;
  // Curvature of a curve in polar form r(psi); the sense of psi does not enter.
  contact.curvature = (p * p + 2 * p1 * p1 - p * p2) / std::pow(p * p + p1 * p1, 1.5);
  return contact;
}

double CamSurfaceCurvature(double pitchCurvature, double rollerRadius) {
  // Radius of the surface = radius of the pitch curve - roller radius.
  return pitchCurvature / (1 - rollerRadius * pitchCurvature);
}

bool IsUndercut(double pitchCurvature, double rollerRadius) {
  return pitchCurvature * rollerRadius >= 1;
}
