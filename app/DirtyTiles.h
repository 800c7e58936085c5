#pragma once

#include <QRect>
#include <QRegion>
#include <QSize>
#include <vector>

// Remembers which parts of an image were drawn on, as a grid of square tiles, so
// that only those parts are shown again. A frame draws in a few places far apart
// (the mechanism, a plot segment); one bounding rectangle of them would span most
// of the window and repaint every control over it.
class DirtyTiles {
 public:
  explicit DirtyTiles(QSize imageSize, int tileSize = 32);

  void Mark(const QRect& rect);  // parts outside the image are ignored
  bool IsEmpty() const { return !any_; }
  // The tiles marked since the last call, as a region of image pixels; then clears.
  QRegion Take();

 private:
  QSize imageSize_;
  int tileSize_;
  int columns_;
  int rows_;
  std::vector<unsigned char> marked_;
  bool any_ = false;
};
