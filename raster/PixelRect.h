#pragma once

// A rectangle of whole pixels: left column, top row, width and height.
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool IsEmpty() const { return width <= 0 || height <= 0; }
  int Right() const { return x + width - 1; }
  int Bottom() const { return y + height - 1; }
  PixelRect Intersected(const PixelRect& other) const;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};
