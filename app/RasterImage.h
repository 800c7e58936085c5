#pragma once

#include <QImage>
#include <QRect>

#include "raster/RasterCanvas.h"

// The Qt format of the canvas's pixels: blue first is Qt's native 32-bit format,
// which it draws without converting.
inline QImage::Format ImageFormatOf(const RasterCanvas& canvas) {
  return canvas.Order() == PixelOrder::BlueFirst ? QImage::Format_RGB32 : QImage::Format_RGBX8888;
}

// The raster canvas's pixels seen as a Qt image, without a copy: the image reads
// the canvas's own buffer, so it is valid only while the canvas lives and shows
// whatever is drawn after it was made. Copy it to keep a picture.
inline QImage ImageOf(const RasterCanvas& canvas) {
  return QImage(canvas.Bytes(), canvas.Width(), canvas.Height(), canvas.Width() * 4, ImageFormatOf(canvas));
}

// The part of the canvas's pixels within `pixels` (clamped to the canvas), seen the
// same way, to present only that part.
inline QImage ImageOf(const RasterCanvas& canvas, QRect pixels) {
  pixels &= QRect(0, 0, canvas.Width(), canvas.Height());
  if (pixels.isEmpty()) return {};
  const std::size_t stride = std::size_t(canvas.Width()) * 4;
  return QImage(canvas.Bytes() + std::size_t(pixels.y()) * stride + std::size_t(pixels.x()) * 4, pixels.width(),
                pixels.height(), qsizetype(stride), ImageFormatOf(canvas));
}
