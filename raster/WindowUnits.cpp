#include "raster/WindowUnits.h"

namespace window_units {

double ToPixelX(double x) { return (x - kLeft) * kTwipsPerUnitX / kTwipsPerPixel; }
double ToPixelY(double y) { return (kTop - y) * kTwipsPerUnitY / kTwipsPerPixel; }
double FromPixelX(double column) { return column * kTwipsPerPixel / kTwipsPerUnitX + kLeft; }
double FromPixelY(double row) { return kTop - row * kTwipsPerPixel / kTwipsPerUnitY; }
double LengthToPixels(double length) { return length * kTwipsPerUnitX / kTwipsPerPixel; }

}  // namespace window_units
