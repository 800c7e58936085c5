#pragma once

// The one mapping between window units (millimetres, y up, top-left corner at
// (-134, 75)) and pixels of the client area (top-left pixel at (0, 0), rows down).
// Every drawing and every mouse position goes through these four functions.
namespace window_units {

inline constexpr double kLeft = -134.0;
inline constexpr double kTop = 75.0;
inline constexpr double kTwipsPerUnitX = 82.24999237;  // single-precision 82.25
inline constexpr double kTwipsPerUnitY = 81.95977;
inline constexpr double kTwipsPerPixel = 15.0;

// Client-area size in pixels (14400 x 9930 twips).
inline constexpr int kClientWidth = 960;
inline constexpr int kClientHeight = 662;

double ToPixelX(double x);
double ToPixelY(double y);
double FromPixelX(double column);
double FromPixelY(double row);

// A length along x in window units (circle radii), in pixels.
double LengthToPixels(double length);

// A design rectangle given in twips, in whole pixels.
constexpr int TwipsToPixels(int twips) { return twips / 15; }

}  // namespace window_units
