#include <gtest/gtest.h>

#include <QImage>

#include "app/ImageCanvas.h"
#include "app/WindowUnits.h"
#include "support/ErasePassCheck.h"

namespace {

void ExpectNoOldPixelStaysOnTheWindow(int scroll1, int scroll2) {
  const QSize client(window_units::kClientWidth, window_units::kClientHeight);
  ExpectNoOldPixelStays<ImageCanvas>(
      scroll1, scroll2, client.width(), client.height(), [&] { return client; },
      [](const ImageCanvas& c, int x, int y) { return c.Image().pixel(x, y) == qRgb(255, 255, 255); });
}

TEST(ErasePassPicture, NoPixelOfTheOldShaftArcOrLeverOutlineStays) {
  ExpectNoOldPixelStaysOnTheWindow(20, 500);
  ExpectNoOldPixelStaysOnTheWindow(115, -95);
  ExpectNoOldPixelStaysOnTheWindow(0, 700);
}

}  // namespace
