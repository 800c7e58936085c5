#include "app/ScreenFit.h"

#include <algorithm>

double FitScale(QSize designed, QSize available, QMargins frame) {
  const double width = available.width() - frame.left() - frame.right();
  const double height = available.height() - frame.top() - frame.bottom();
  if (designed.isEmpty() || width <= 0 || height <= 0) return 1.0;
  return std::min({1.0, width / designed.width(), height / designed.height()});
}

QMargins TypicalFrame() { return QMargins(4, 32, 4, 4); }
