#pragma once

#include <QImage>

#include "raster/RasterCanvas.h"

// The raster canvas's pixels seen as a Qt image, without a copy: the image reads
// the canvas's own buffer, so it is valid only while the canvas lives and shows
// whatever is drawn after it was made. Copy it to keep a picture.
inline QImage ImageOf(const RasterCanvas& canvas) {
  return QImage(canvas.Bytes(), canvas.Width(), canvas.Height(), canvas.Width() * 4, QImage::Format_RGBX8888);
}
