#include "app/ImageCanvas.h"

#include <QPen>
#include <algorithm>
#include <cmath>

#include "raster/DevicePixels.h"
#include "raster/DotStamp.h"
#include "raster/SegmentClip.h"
#include "raster/WindowUnits.h"

using device_pixels::DevicePenWidth;
using device_pixels::DevicePoint;
using device_pixels::Round;
using device_pixels::ToDevice;

namespace {

// Circles larger than this (in device pixels, radius or distance of the centre
// from the image) cannot come from a sound frame; they are skipped.
constexpr double kFarPixels = 65536.0;

QColor ToQColor(Colour c) { return QColor(c.r, c.g, c.b); }

bool Finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

bool ClipSegment(double& x1, double& y1, double& x2, double& y2, const QRectF& r) {
  return ::ClipSegment(x1, y1, x2, y2, r.left(), r.top(), r.right(), r.bottom());
}

}  // namespace

ImageCanvas::ImageCanvas(QSize logicalSize, double devicePixelRatio)
    : image_(QSize(Round(logicalSize.width() * devicePixelRatio),
                   Round(logicalSize.height() * devicePixelRatio)),
             QImage::Format_RGB32),
      ratio_(devicePixelRatio),
      penColour_(colours::lightGrey),
      dirty_(image_.size()) {
  image_.fill(Qt::white);
}

ImageCanvas::~ImageCanvas() { FinishPainting(); }

const QImage& ImageCanvas::Image() const {
  FinishPainting();
  return image_;
}

QRegion ImageCanvas::TakeDirtyRegion() { return dirty_.Take(); }

QPainter& ImageCanvas::Painter(Colour colour, Qt::PenJoinStyle join) {
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
  }
  painter_->setPen(QPen(ToQColor(colour), DevicePenWidth(penWidth_, ratio_), Qt::SolidLine,
                        Qt::RoundCap, join));
  painter_->setBrush(Qt::NoBrush);
  return *painter_;
}

void ImageCanvas::FinishPainting() const {
  if (painter_) {
    painter_->end();
    painter_.reset();
  }
}

// Direct writes go to the image's own buffer. If a copy of the image now shares
// that buffer, the write detaches it, and an open painter would keep drawing into
// the copy: finish the painter first so the next one starts on the new buffer.
void ImageCanvas::PrepareDirectWrite() {
  if (painter_ && !image_.isDetached()) FinishPainting();
}

void ImageCanvas::MarkDirty(const QRect& rect) { dirty_.Mark(rect); }

void ImageCanvas::Cls() {
  PrepareDirectWrite();
  image_.fill(Qt::white);
  MarkDirty(image_.rect());
}

// A shape with a coordinate that is not a number is not drawn; it is counted, since
// the mechanism should never produce one.
bool ImageCanvas::Rejected(bool finite) {
  if (!finite) ++nonFiniteShapes_;
  return !finite;
}

void ImageCanvas::SetPenColour(Colour colour) { penColour_ = colour; }

void ImageCanvas::SetPenWidth(int pixels) { penWidth_ = std::max(1, pixels); }

void ImageCanvas::Line(double x1, double y1, double x2, double y2) {
  if (Rejected(Finite(x1, y1) && Finite(x2, y2))) return;
  DevicePoint a = ToDevice(x1, y1, ratio_);
  DevicePoint b = ToDevice(x2, y2, ratio_);
  const int width = DevicePenWidth(penWidth_, ratio_);
  const QRectF bounds = QRectF(image_.rect()).adjusted(-width - 2, -width - 2, width + 2, width + 2);
  if (!ClipSegment(a.x, a.y, b.x, b.y, bounds)) return;
  const QPoint from(Round(a.x), Round(a.y));
  const QPoint to(Round(b.x), Round(b.y));
  Painter(penColour_, Qt::RoundJoin).drawLine(from, to);
  MarkDirty(QRect(from, to).normalized().adjusted(-width, -width, width, width));
}

void ImageCanvas::Box(double x1, double y1, double x2, double y2) {
  if (Rejected(Finite(x1, y1) && Finite(x2, y2))) return;
  const int width = DevicePenWidth(penWidth_, ratio_);
  const QRectF bounds = QRectF(image_.rect()).adjusted(-width - 2, -width - 2, width + 2, width + 2);
  const auto clampPoint = [&](DevicePoint p) {
    return QPoint(Round(std::clamp(p.x, bounds.left(), bounds.right())),
                  Round(std::clamp(p.y, bounds.top(), bounds.bottom())));
  };
  const QRect box =
      QRect(clampPoint(ToDevice(x1, y1, ratio_)), clampPoint(ToDevice(x2, y2, ratio_))).normalized();
  Painter(penColour_, Qt::MiterJoin).drawRect(box);
  MarkDirty(box.adjusted(-width, -width, width, width));
}

void ImageCanvas::FilledBox(double x1, double y1, double x2, double y2) {
  if (Rejected(Finite(x1, y1) && Finite(x2, y2))) return;
  const QRectF bounds = QRectF(image_.rect()).adjusted(-1, -1, 1, 1);
  const auto clampPoint = [&](DevicePoint p) {
    return QPoint(Round(std::clamp(p.x, bounds.left(), bounds.right())),
                  Round(std::clamp(p.y, bounds.top(), bounds.bottom())));
  };
  const QRect box =
      QRect(clampPoint(ToDevice(x1, y1, ratio_)), clampPoint(ToDevice(x2, y2, ratio_))).normalized();
  Painter(penColour_, Qt::MiterJoin).fillRect(box, ToQColor(penColour_));
  MarkDirty(box);
}

void ImageCanvas::Circle(double x, double y, double radius) { CircleInColour(x, y, radius, penColour_); }

void ImageCanvas::CircleInColour(double x, double y, double radius, Colour colour) {
  if (Rejected(Finite(x, y) && std::isfinite(radius))) return;
  const DevicePoint c = ToDevice(x, y, ratio_);
  const double r = std::abs(window_units::LengthToPixels(radius) * ratio_);
  const QRectF reach = QRectF(image_.rect()).adjusted(-kFarPixels, -kFarPixels, kFarPixels, kFarPixels);
  if (r > kFarPixels || !reach.contains(c.x, c.y)) return;
  const QPoint centre(Round(c.x), Round(c.y));
  const int rounded = Round(r);
  const int width = DevicePenWidth(penWidth_, ratio_);
  Painter(colour, Qt::RoundJoin).drawEllipse(centre, rounded, rounded);
  const int reachPixels = rounded + width;
  MarkDirty(QRect(centre.x() - reachPixels, centre.y() - reachPixels, 2 * reachPixels + 1, 2 * reachPixels + 1));
}

const std::vector<PixelOffset>& ImageCanvas::Stamp(int diameter) {
  if (diameter != stampDiameter_) {
    stamp_ = DotStamp(diameter);
    stampDiameter_ = diameter;
  }
  return stamp_;
}

void ImageCanvas::Point(double x, double y) {
  if (Rejected(Finite(x, y))) return;
  const DevicePoint p = ToDevice(x, y, ratio_);
  const int width = DevicePenWidth(penWidth_, ratio_);
  const int w = image_.width();
  const int h = image_.height();
  // Far outside: nothing of the dot can land on the image.
  if (!(p.x > -width - 1 && p.x < w + width + 1 && p.y > -width - 1 && p.y < h + width + 1)) return;
  const int cx = Round(p.x);
  const int cy = Round(p.y);
  PrepareDirectWrite();
  const QRgb value = qRgb(penColour_.r, penColour_.g, penColour_.b);
  if (width == 1) {
    if (cx < 0 || cy < 0 || cx >= w || cy >= h) return;
    reinterpret_cast<QRgb*>(image_.scanLine(cy))[cx] = value;
    MarkDirty(QRect(cx, cy, 1, 1));
    return;
  }
  for (const PixelOffset& offset : Stamp(width)) {
    const int px = cx + offset.dx;
    const int py = cy + offset.dy;
    if (px < 0 || py < 0 || px >= w || py >= h) continue;
    reinterpret_cast<QRgb*>(image_.scanLine(py))[px] = value;
  }
  MarkDirty(QRect(cx - width, cy - width, 2 * width + 1, 2 * width + 1));
}
