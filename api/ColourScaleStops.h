#pragma once

// The colour scale of every heat map, the tools' pictures and the Explorer's alike:
// dark violet through blue and green to yellow, evenly light-stepped, so that it
// reads in grey and to most colour-blind eyes. A value between stops mixes the two
// nearest linearly, each channel rounded.
struct ColourScaleStop {
  double at;  // 0 (lowest) to 1 (highest)
  int red, green, blue;
};

inline constexpr ColourScaleStop kColourScaleStops[] = {
    {0.0, 68, 1, 84}, {0.25, 59, 82, 139}, {0.5, 33, 145, 140}, {0.75, 94, 201, 98}, {1.0, 253, 231, 37}};
