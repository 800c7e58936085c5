#pragma once

#include <algorithm>
#include <cmath>

#include "raster/WindowUnits.h"

// From window units to the device pixels of a canvas drawn at a device pixel
// ratio: what every canvas that rasterises the picture computes the same way.
namespace device_pixels {

struct DevicePoint {
  double x;
  double y;
};

inline int Round(double v) { return static_cast<int>(std::lround(v)); }

inline DevicePoint ToDevice(double x, double y, double ratio) {
  return {window_units::ToPixelX(x) * ratio, window_units::ToPixelY(y) * ratio};
}

// A pen width in logical pixels, in device pixels: never thinner than one.
inline int DevicePenWidth(int penWidth, double ratio) {
  return std::max(1, Round(penWidth * ratio));
}

}  // namespace device_pixels
