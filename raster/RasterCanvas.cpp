#include "raster/RasterCanvas.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

#include "raster/DevicePixels.h"
#include "raster/SegmentClip.h"
#include "raster/WindowUnits.h"

using device_pixels::DevicePenWidth;
using device_pixels::DevicePoint;
using device_pixels::Round;
using device_pixels::ToDevice;

namespace {

static_assert(std::endian::native == std::endian::little, "pixels are packed byte by byte as PixelOrder says");

// Circles larger than this (in device pixels, radius or distance of the centre
// from the image) cannot come from a sound frame; they are skipped.
constexpr double kFarPixels = 65536.0;

// Tolerance for a pixel centre that lies exactly on a shape's edge.
constexpr double kEdge = 1e-9;

bool Finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

// The x interval where a·x + b >= 0; false if empty.
bool HalfLine(double a, double b, double& low, double& high) {
  if (a == 0) return b >= 0;
  const double root = -b / a;
  if (a > 0) {
    low = std::max(low, root);
  } else {
    high = std::min(high, root);
  }
  return low <= high;
}

// Widens [low, high] by the interval of a disc of radius r about (cx, cy) on row y.
void AddDiscRow(double cx, double cy, double r, double y, double& low, double& high) {
  const double ey = y - cy;
  const double left = r * r - ey * ey;
  if (left < 0) return;
  const double half = std::sqrt(left);
  low = std::min(low, cx - half);
  high = std::max(high, cx + half);
}

}  // namespace

RasterCanvas::RasterCanvas(int logicalWidth, int logicalHeight, double devicePixelRatio, PixelOrder order)
    : width_(std::max(1, Round(logicalWidth * devicePixelRatio))),
      height_(std::max(1, Round(logicalHeight * devicePixelRatio))),
      ratio_(devicePixelRatio),
      order_(order),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), Pack(colours::white)),
      dirty_(width_, height_) {}

// Byte by byte in memory (little-endian): the first colour, green, the last, alpha.
std::uint32_t RasterCanvas::Pack(Colour c) const {
  const auto [first, last] = order_ == PixelOrder::RedFirst ? std::pair(c.r, c.b) : std::pair(c.b, c.r);
  return static_cast<std::uint32_t>(first) | static_cast<std::uint32_t>(c.g) << 8 |
         static_cast<std::uint32_t>(last) << 16 | 0xFF000000u;
}

Colour RasterCanvas::At(int x, int y) const {
  const std::uint32_t v = pixels_[static_cast<std::size_t>(y) * width_ + x];
  const auto first = static_cast<std::uint8_t>(v);
  const auto last = static_cast<std::uint8_t>(v >> 16);
  const auto green = static_cast<std::uint8_t>(v >> 8);
  return order_ == PixelOrder::RedFirst ? Colour{first, green, last} : Colour{last, green, first};
}

bool RasterCanvas::Rejected(bool finite) {
  if (!finite) ++nonFiniteShapes_;
  return !finite;
}

void RasterCanvas::SetPenWidth(int pixels) { penWidth_ = std::max(1, pixels); }

void RasterCanvas::Cls() {
  std::fill(pixels_.begin(), pixels_.end(), Pack(colours::white));
  dirty_.Mark({0, 0, width_, height_});
}

void RasterCanvas::Plot(int x, int y, std::uint32_t value) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * width_ + x] = value;
}

void RasterCanvas::Span(int y, int from, int to, std::uint32_t value) {
  if (y < 0 || y >= height_) return;
  from = std::max(from, 0);
  to = std::min(to, width_ - 1);
  if (from > to) return;
  std::uint32_t* row = &pixels_[static_cast<std::size_t>(y) * width_];
  std::fill(row + from, row + to + 1, value);
}

PixelRect RasterCanvas::ClampedBox(double x1, double y1, double x2, double y2, int margin) const {
  const auto clampPoint = [&](DevicePoint p, int& px, int& py) {
    px = Round(std::clamp(p.x, -1.0 * margin, (width_ - 1.0) + margin));
    py = Round(std::clamp(p.y, -1.0 * margin, (height_ - 1.0) + margin));
  };
  int ax, ay, bx, by;
  clampPoint(ToDevice(x1, y1, ratio_), ax, ay);
  clampPoint(ToDevice(x2, y2, ratio_), bx, by);
  return {std::min(ax, bx), std::min(ay, by), std::abs(bx - ax) + 1, std::abs(by - ay) + 1};
}

void RasterCanvas::Line(double x1, double y1, double x2, double y2) {
  if (Rejected(Finite(x1, y1) && Finite(x2, y2))) return;
  DevicePoint a = ToDevice(x1, y1, ratio_);
  DevicePoint b = ToDevice(x2, y2, ratio_);
  const int width = DevicePenWidth(penWidth_, ratio_);
  const double m = width + 2;
  if (!ClipSegment(a.x, a.y, b.x, b.y, -m, -m, width_ - 1 + m, height_ - 1 + m)) return;
  const int ax = Round(a.x), ay = Round(a.y), bx = Round(b.x), by = Round(b.y);
  const std::uint32_t value = Pack(penColour_);
  if (width == 1) {
    ThinLine(ax, ay, bx, by, value);
  } else {
    Capsule(ax, ay, bx, by, width, value);
  }
  dirty_.Mark({std::min(ax, bx) - width, std::min(ay, by) - width, std::abs(bx - ax) + 2 * width + 1,
               std::abs(by - ay) + 2 * width + 1});
}

// Bresenham's line, both ends included.
void RasterCanvas::ThinLine(int x1, int y1, int x2, int y2, std::uint32_t value) {
  const int dx = std::abs(x2 - x1);
  const int dy = -std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1;
  const int sy = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    Plot(x1, y1, value);
    if (x1 == x2 && y1 == y2) return;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x1 += sx;
    }
    if (twice <= dx) {
      error += dx;
      y1 += sy;
    }
  }
}

// Every pixel whose centre lies within width/2 of the segment: the segment swept by
// a round dot, row by row.
void RasterCanvas::Capsule(int x1, int y1, int x2, int y2, int width, std::uint32_t value) {
  const double c = PenCentreOffset(width);
  const double ax = x1 + c, ay = y1 + c, bx = x2 + c, by = y2 + c;
  const double r = width / 2.0;
  const double dx = bx - ax, dy = by - ay;
  const double lengthSquared = dx * dx + dy * dy;
  const double reach = r * std::sqrt(lengthSquared);
  const int top = std::max(0, static_cast<int>(std::floor(std::min(ay, by) - r)));
  const int bottom = std::min(height_ - 1, static_cast<int>(std::ceil(std::max(ay, by) + r)));
  for (int y = top; y <= bottom; ++y) {
    double low = INFINITY, high = -INFINITY;
    AddDiscRow(ax, ay, r, y, low, high);
    AddDiscRow(bx, by, r, y, low, high);
    if (lengthSquared > 0) {
      // The body: 0 <= (P - A)·d <= |d|² and |(P - A) x d| <= r·|d|.
      const double ey = y - ay;
      double bodyLow = -INFINITY, bodyHigh = INFINITY;
      if (HalfLine(dx, -ax * dx + ey * dy, bodyLow, bodyHigh) &&
          HalfLine(-dx, ax * dx - ey * dy + lengthSquared, bodyLow, bodyHigh) &&
          HalfLine(dy, -ax * dy - ey * dx + reach, bodyLow, bodyHigh) &&
          HalfLine(-dy, ax * dy + ey * dx + reach, bodyLow, bodyHigh)) {
        low = std::min(low, bodyLow);
        high = std::max(high, bodyHigh);
      }
    }
    if (low > high) continue;
    Span(y, static_cast<int>(std::ceil(low - kEdge)), static_cast<int>(std::floor(high + kEdge)), value);
  }
}

void RasterCanvas::Box(double x1, double y1, double x2, double y2) {
  if (Rejected(Finite(x1, y1) && Finite(x2, y2))) return;
  const int width = DevicePenWidth(penWidth_, ratio_);
  const PixelRect box = ClampedBox(x1, y1, x2, y2, width + 2);
  // The pen's band: width pixels across each edge, centred on it.
  const int low = -(width / 2);
  const int high = low + width - 1;
  const PixelRect outer{box.x + low, box.y + low, box.width + width - 1, box.height + width - 1};
  const PixelRect inner{box.x + high + 1, box.y + high + 1, box.width - width - 1, box.height - width - 1};
  const std::uint32_t value = Pack(penColour_);
  for (int y = std::max(0, outer.y); y <= std::min(height_ - 1, outer.Bottom()); ++y) {
    if (inner.IsEmpty() || y < inner.y || y > inner.Bottom()) {
      Span(y, outer.x, outer.Right(), value);
    } else {
      Span(y, outer.x, inner.x - 1, value);
      Span(y, inner.Right() + 1, outer.Right(), value);
    }
  }
  dirty_.Mark(outer);
}

void RasterCanvas::FilledBox(double x1, double y1, double x2, double y2) {
  if (Rejected(Finite(x1, y1) && Finite(x2, y2))) return;
  const PixelRect box = ClampedBox(x1, y1, x2, y2, 1);
  const std::uint32_t value = Pack(penColour_);
  for (int y = std::max(0, box.y); y <= std::min(height_ - 1, box.Bottom()); ++y) {
    Span(y, box.x, box.Right(), value);
  }
  dirty_.Mark(box);
}

void RasterCanvas::Circle(double x, double y, double radius) { CircleInColour(x, y, radius, penColour_); }

void RasterCanvas::CircleInColour(double x, double y, double radius, Colour colour) {
  if (Rejected(Finite(x, y) && std::isfinite(radius))) return;
  const DevicePoint c = ToDevice(x, y, ratio_);
  const double r = std::abs(window_units::LengthToPixels(radius) * ratio_);
  if (r > kFarPixels || c.x < -kFarPixels || c.y < -kFarPixels || c.x > width_ + kFarPixels ||
      c.y > height_ + kFarPixels) {
    return;
  }
  const int cx = Round(c.x), cy = Round(c.y), rounded = Round(r);
  const int width = DevicePenWidth(penWidth_, ratio_);
  if (width == 1) {
    ThinCircle(cx, cy, rounded, Pack(colour));
  } else {
    Band(cx, cy, rounded, width, Pack(colour));
  }
  const int reach = rounded + width;
  dirty_.Mark({cx - reach, cy - reach, 2 * reach + 1, 2 * reach + 1});
}

// The midpoint circle: a closed ring one pixel wide.
void RasterCanvas::ThinCircle(int cx, int cy, int radius, std::uint32_t value) {
  int x = radius, y = 0, error = 1 - radius;
  while (x >= y) {
    const int points[8][2] = {{x, y}, {y, x}, {-y, x}, {-x, y}, {-x, -y}, {-y, -x}, {y, -x}, {x, -y}};
    for (const auto& p : points) Plot(cx + p[0], cy + p[1], value);
    ++y;
    if (error < 0) {
      error += 2 * y + 1;
    } else {
      --x;
      error += 2 * (y - x) + 1;
    }
  }
}

// A ring of the pen's width centred on the radius: the pixels whose centres lie
// more than radius - width/2 and at most radius + width/2 from the centre.
void RasterCanvas::Band(int cx, int cy, int radius, int width, std::uint32_t value) {
  const double c = PenCentreOffset(width);
  const double ox = cx + c, oy = cy + c;
  const double outer = radius + width / 2.0;
  const double inner = radius - width / 2.0;
  const int top = std::max(0, static_cast<int>(std::floor(oy - outer)));
  const int bottom = std::min(height_ - 1, static_cast<int>(std::ceil(oy + outer)));
  for (int y = top; y <= bottom; ++y) {
    const double ey = y - oy;
    const double outerLeft = outer * outer - ey * ey;
    if (outerLeft < 0) continue;
    const double half = std::sqrt(outerLeft);
    const int from = static_cast<int>(std::ceil(ox - half - kEdge));
    const int to = static_cast<int>(std::floor(ox + half + kEdge));
    const double innerLeft = inner > 0 ? inner * inner - ey * ey : -1;
    if (innerLeft <= 0) {
      Span(y, from, to, value);
      continue;
    }
    // Pixels strictly inside the inner circle stay as they are.
    const double hole = std::sqrt(innerLeft);
    Span(y, from, static_cast<int>(std::floor(ox - hole + kEdge)), value);
    Span(y, static_cast<int>(std::ceil(ox + hole - kEdge)), to, value);
  }
}

void RasterCanvas::Point(double x, double y) {
  if (Rejected(Finite(x, y))) return;
  const DevicePoint p = ToDevice(x, y, ratio_);
  const int width = DevicePenWidth(penWidth_, ratio_);
  if (!(p.x > -width - 1 && p.x < width_ + width + 1 && p.y > -width - 1 && p.y < height_ + width + 1)) return;
  const int cx = Round(p.x), cy = Round(p.y);
  const std::uint32_t value = Pack(penColour_);
  if (width == 1) {
    Plot(cx, cy, value);
    dirty_.Mark({cx, cy, 1, 1});
    return;
  }
  if (width != stampDiameter_) {
    stamp_ = DotStamp(width);
    stampDiameter_ = width;
  }
  for (const PixelOffset& offset : stamp_) Plot(cx + offset.dx, cy + offset.dy, value);
  dirty_.Mark({cx - width, cy - width, 2 * width + 1, 2 * width + 1});
}
