#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <memory>
#include <vector>

#include "animation/Canvas.h"
#include "app/DirtyTiles.h"
#include "raster/DotStamp.h"

// The window's drawing surface: a persistent image of the client area in device
// pixels, drawn aliased so that drawing a shape again in white removes it to the
// last pixel. Single pixels and round dots are written straight into the image
// (the cam outline alone is 1440 pixels a frame); lines, boxes and circles go
// through a painter that stays open between calls. Coordinates far outside the
// image or not finite are clipped or skipped, never passed on.
class ImageCanvas final : public Canvas {
 public:
  explicit ImageCanvas(QSize logicalSize, double devicePixelRatio = 1.0);
  ~ImageCanvas() override;
  ImageCanvas(const ImageCanvas&) = delete;
  ImageCanvas& operator=(const ImageCanvas&) = delete;

  // The image as drawn so far (device pixels). Finishes any open painting.
  const QImage& Image() const;
  double DevicePixelRatio() const { return ratio_; }
  // The device pixels drawn on since the last call (in whole tiles); empty if none.
  QRegion TakeDirtyRegion();

  // Shapes skipped because a coordinate was not finite, since the canvas was made.
  long NonFiniteShapes() const { return nonFiniteShapes_; }

  Colour PenColour() const { return penColour_; }
  int PenWidth() const { return penWidth_; }

  void Cls() override;
  void SetPenColour(Colour colour) override;
  void SetPenWidth(int pixels) override;
  void Line(double x1, double y1, double x2, double y2) override;
  void Box(double x1, double y1, double x2, double y2) override;
  void FilledBox(double x1, double y1, double x2, double y2) override;
  void Circle(double x, double y, double radius) override;
  void CircleInColour(double x, double y, double radius, Colour colour) override;
  void Point(double x, double y) override;

 private:
  QPainter& Painter(Colour colour, Qt::PenJoinStyle join);
  void FinishPainting() const;
  void PrepareDirectWrite();
  void MarkDirty(const QRect& rect);
  bool Rejected(bool finite);
  const std::vector<PixelOffset>& Stamp(int diameter);

  mutable QImage image_;
  mutable std::unique_ptr<QPainter> painter_;
  double ratio_;
  Colour penColour_;
  int penWidth_ = 3;
  DirtyTiles dirty_;
  int stampDiameter_ = 0;
  std::vector<PixelOffset> stamp_;
  long nonFiniteShapes_ = 0;
};
