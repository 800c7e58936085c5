#pragma once

#include <gtest/gtest.h>

#include <QPoint>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "app/ColouredButton.h"
#include "app/TorlinWindow.h"
#include "app/WindowUnits.h"
#include "app/WrappingLabel.h"

// A shown, active window whose animation does not start, and which records a
// request to end the program instead of ending the test program.
class WindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<Torlin>(Torlin::Animate::Never, [this] { ++quitRequests; });
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }

  const Controls& controls() const { return window->Widgets(); }
  WindowVariables& vars() { return window->Vars(); }

  // The pixel of the client area at a point in window units.
  static QPoint PixelAt(double x, double y) {
    return QPoint(static_cast<int>(window_units::ToPixelX(x)), static_cast<int>(window_units::ToPixelY(y)));
  }

  // A point on the window surface clear of every control and label.
  static QPoint FreeSurface() { return PixelAt(-60, -30); }

  std::unique_ptr<Torlin> window;
  int quitRequests = 0;
};
