#include "raster/SegmentClip.h"

#include <algorithm>
#include <cmath>

bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double left, double top,
                 double right, double bottom) {
  // An end at infinity (a finite coordinate too large for pixels) leaves the
  // segment without a direction to clip by.
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return false;
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  double t0 = 0.0;
  double t1 = 1.0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - left, right - x1, y1 - top, bottom - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  if (t1 < 1.0) {
    x2 = x1 + t1 * dx;
    y2 = y1 + t1 * dy;
  }
  if (t0 > 0.0) {
    x1 += t0 * dx;
    y1 += t0 * dy;
  }
  return true;
}
