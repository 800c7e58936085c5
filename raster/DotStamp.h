#pragma once

#include <vector>

struct PixelOffset {
  int dx;
  int dy;
};

// The pixels of a round dot of the given diameter, relative to its centre pixel.
// Odd diameters centre on a pixel, even ones on the corner up and left of it.
std::vector<PixelOffset> DotStamp(int diameter);

// Where a round shape of the given pen width is centred, relative to the pixel it
// is anchored on: 0 for odd widths, -0.5 (a pixel corner) for even ones.
inline double PenCentreOffset(int width) { return width % 2 == 0 ? -0.5 : 0.0; }
