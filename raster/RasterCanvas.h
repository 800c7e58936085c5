#pragma once

#include <cstdint>
#include <vector>

#include "animation/Canvas.h"
#include "raster/DotStamp.h"
#include "raster/PixelRect.h"
#include "raster/TileGrid.h"

// A drawing surface of its own pixels, for front ends whose toolkit cannot draw
// aliased: a persistent image of the client area in device pixels. Every shape is
// rasterised from whole pixel coordinates by a fixed rule, so drawing a shape
// again in white removes it to the last pixel. Wide lines are capsules (round
// ends) of pen-width diameter, like the round dots; box outlines have square
// corners; circles are one-pixel rings at pen width 1 and pen-width bands
// otherwise. Coordinates far outside the image are clipped or skipped; shapes
// with a coordinate that is not finite are skipped and counted.
// How a pixel's four bytes lie in memory: red first for the page's image data, blue
// first for a desktop toolkit's native 32-bit format, so that neither converts.
enum class PixelOrder { RedFirst, BlueFirst };

class RasterCanvas final : public Canvas {
 public:
  // logicalWidth x logicalHeight pixels of the client area at the given ratio.
  RasterCanvas(int logicalWidth, int logicalHeight, double devicePixelRatio = 1.0,
               PixelOrder order = PixelOrder::RedFirst);

  int Width() const { return width_; }
  int Height() const { return height_; }
  double DevicePixelRatio() const { return ratio_; }
  PixelOrder Order() const { return order_; }
  // The pixels row by row, four bytes each: red, green, blue (or blue, green, red, as
  // ordered), then alpha (opaque).
  const std::uint8_t* Bytes() const { return reinterpret_cast<const std::uint8_t*>(pixels_.data()); }
  Colour At(int x, int y) const;
  // The device pixels drawn on since the last call, in whole tiles.
  std::vector<PixelRect> TakeDirty() { return dirty_.Take(); }
  long NonFiniteShapes() const { return nonFiniteShapes_; }

  Colour PenColour() const { return penColour_; }
  int PenWidth() const { return penWidth_; }

  void Cls() override;
  void SetPenColour(Colour colour) override { penColour_ = colour; }
  void SetPenWidth(int pixels) override;
  void Line(double x1, double y1, double x2, double y2) override;
  void Box(double x1, double y1, double x2, double y2) override;
  void FilledBox(double x1, double y1, double x2, double y2) override;
  void Circle(double x, double y, double radius) override;
  void CircleInColour(double x, double y, double radius, Colour colour) override;
  void Point(double x, double y) override;

 private:
  bool Rejected(bool finite);
  // Whole-pixel corners of a box, kept within margin pixels of the image.
  PixelRect ClampedBox(double x1, double y1, double x2, double y2, int margin) const;
  std::uint32_t Pack(Colour colour) const;

  void Plot(int x, int y, std::uint32_t value);
  void Span(int y, int from, int to, std::uint32_t value);  // from..to inclusive, clipped
  void ThinLine(int x1, int y1, int x2, int y2, std::uint32_t value);
  void Capsule(int x1, int y1, int x2, int y2, int width, std::uint32_t value);
  void ThinCircle(int cx, int cy, int radius, std::uint32_t value);
  void Band(int cx, int cy, int radius, int width, std::uint32_t value);

  int width_;
  int height_;
  double ratio_;
  PixelOrder order_;
  std::vector<std::uint32_t> pixels_;
  Colour penColour_ = colours::lightGrey;
  int penWidth_ = 3;
  TileGrid dirty_;
  int stampDiameter_ = 0;
  std::vector<PixelOffset> stamp_;
  long nonFiniteShapes_ = 0;
};
