// A window presented smaller for a small screen: the controls and the surface
// together, scaled by one factor; the pointer scaled back exactly, so the pause
// circle is where the red cross is shown; every input works as at full size.
#include <QGraphicsProxyWidget>
#include <QScreen>
#include <QTimer>
#include <cmath>

#include "WindowFixture.h"
#include "app/FocusRing.h"
#include "app/ScaledWindow.h"
#include "app/ScreenFit.h"
#include "raster/RasterCanvas.h"

TEST(ScreenFit, FactorFitsTheWindowAndItsFrameIntoTheAvailableArea) {
  const QSize designed(960, 662);
  const QMargins none;
  EXPECT_EQ(FitScale(designed, QSize(1920, 1080), TypicalFrame()), 1.0);
  EXPECT_EQ(FitScale(designed, QSize(960, 662), none), 1.0);
  EXPECT_DOUBLE_EQ(FitScale(designed, QSize(1024, 600), none), 600.0 / 662);
  // 1366 x 768 at 125 %: 1093 x 614 logical pixels, less a title bar.
  EXPECT_DOUBLE_EQ(FitScale(designed, QSize(1093, 614), QMargins(0, 30, 0, 0)), 584.0 / 662);
  EXPECT_DOUBLE_EQ(FitScale(designed, QSize(800, 1000), none), 800.0 / 960);
  // No usable area known: present as designed.
  EXPECT_EQ(FitScale(designed, QSize(), none), 1.0);
}

class ScaledWindowTest : public ::testing::Test {
 protected:
  static constexpr double kScale = 0.75;

  void SetUp() override {
    window = std::make_unique<Torlin>(Torlin::Animate::Never, [this] { ++quitRequests; });
    scaled = std::make_unique<ScaledWindow>(*window, kScale);
    scaled->show();
    scaled->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(scaled.get()));
  }
  void TearDown() override {
    scaled.reset();
    window.reset();
  }

  // Where a pixel of the window is shown, in the view.
  QPoint Shown(QPointF windowPixel) const { return scaled->FromWindow(windowPixel).toPoint(); }
  QPoint ShownCentre(QWidget* control) const { return Shown(QRectF(control->geometry()).center()); }
  QWindow* Screen() const { return scaled->windowHandle(); }

  std::unique_ptr<Torlin> window;
  std::unique_ptr<ScaledWindow> scaled;
  int quitRequests = 0;
};

TEST_F(ScaledWindowTest, WholeWindowShownSmallerWhileItKeepsItsDesignedSize) {
  EXPECT_EQ(scaled->size(), QSize(720, 497));
  EXPECT_EQ(window->size(), QSize(960, 662));
  EXPECT_EQ(QSize(window->Surface().Width(), window->Surface().Height()),
            QSize(960, 662) * window->Surface().DevicePixelRatio());
  EXPECT_EQ(window->Widgets().Command1->geometry(), QRect(872, 392, 73, 41));
  EXPECT_EQ(scaled->windowTitle(), window->windowTitle());

  // The teal text panel is where its corner lands after scaling.
  const QImage shown = scaled->grab().toImage();
  EXPECT_EQ(shown.pixelColor(Shown(QPointF(100, 300))), QColor(0, 192, 192));
  EXPECT_EQ(shown.pixelColor(Shown(QPointF(400, 300))), QColor(Qt::white));
}

// Shown smaller, the picture is filtered rather than sampled: a thin line keeps a
// trace in every row it crosses, in shades between its colour and the white.
TEST_F(ScaledWindowTest, ThinLinesAreScaledDownSmoothlyNotCutIntoDashes) {
  RasterCanvas& surface = window->Surface();
  surface.SetPenColour(colours::colourValue1);
  surface.SetPenWidth(1);
  const QPointF from(400, 150), to(460, 400);  // steep: nearest sampling would drop rows
  surface.Line(window_units::FromPixelX(from.x()), window_units::FromPixelY(from.y()),
               window_units::FromPixelX(to.x()), window_units::FromPixelY(to.y()));
  window->ShowDrawing();
  const QImage shown = scaled->grab().toImage();
  int shades = 0;
  for (int row = Shown(from).y() + 1; row < Shown(to).y(); ++row) {
    int darkest = 255;
    for (int column = Shown(from).x() - 2; column <= Shown(to).x() + 2; ++column) {
      const int grey = qGray(shown.pixel(column, row));
      darkest = std::min(darkest, grey);
      shades += grey > 0 && grey < 255;
    }
    EXPECT_LT(darkest, 160) << "row " << row;
  }
  EXPECT_GT(shades, 100);
}

TEST_F(ScaledWindowTest, PauseCircleIsExactlyWhereTheCrossIsShown) {
  // Over a square of view pixels around the cross, the pause holds exactly where
  // the pixel, scaled back without rounding, lies within 4 window units of the
  // centre. (Rounding to whole window pixels would differ at some of them.)
  const QPoint centre = Shown(QPointF(window_units::ToPixelX(0), window_units::ToPixelY(0)));
  int paused = 0;
  int wrong = 0;
  for (int row = centre.y() - 25; row <= centre.y() + 25; ++row) {
    for (int column = centre.x() - 25; column <= centre.x() + 25; ++column) {
      QTest::mouseMove(Screen(), QPoint(column, row));
      const QPointF at = scaled->ToWindow(QPointF(column, row));
      const double x = window_units::FromPixelX(at.x());
      const double y = window_units::FromPixelY(at.y());
      const int expected = std::sqrt(x * x + y * y) < 4 ? 1 : 0;
      wrong += window->Vars().stp != expected;
      paused += expected;
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(paused, 500);  // a circle 8 units across: about 30 view pixels
}

TEST_F(ScaledWindowTest, ClicksKeysAndTheCloseBoxWorkAsOnTheWindow) {
  const Controls& c = window->Widgets();
  QTest::mouseClick(Screen(), Qt::LeftButton, {}, ShownCentre(c.Command3));
  EXPECT_EQ(window->Vars().aut1, 1);
  EXPECT_EQ(c.Command3->Face(), colours::cyan);

  const int page = window->Vars().mes;
  QTest::mouseClick(Screen(), Qt::LeftButton, {}, Shown(QPointF(400, 600)));
  EXPECT_EQ(window->Vars().mes, (page + 1) % 3);

  // Tab walks the controls in their order, round and round; the focus ring follows.
  c.VScroll1->setFocus();
  QWidget* order[] = {c.VScroll2, c.Command1, c.Command2, c.HScroll1, c.Command3, c.Command4, c.Command5, c.VScroll1,
                      c.VScroll2};
  for (QWidget* next : order) {
    QTest::keyClick(Screen(), Qt::Key_Tab);
    EXPECT_EQ(window->focusWidget(), next);
    EXPECT_TRUE(next->hasFocus());
  }
  EXPECT_EQ(window->findChild<FocusRing*>()->Around(), c.VScroll2);
  QTest::keyClick(Screen(), Qt::Key_Backtab);
  EXPECT_EQ(window->focusWidget(), c.VScroll1);
  QTest::keyClick(Screen(), Qt::Key_Tab);
  QTest::keyClick(Screen(), Qt::Key_Down);
  EXPECT_EQ(c.VScroll2->value(), 250);
  // Escape ends the program.
  EXPECT_EQ(quitRequests, 0);
  QTest::keyClick(Screen(), Qt::Key_Escape);
  EXPECT_EQ(quitRequests, 1);
  EXPECT_TRUE(window->Ending());
}

TEST_F(ScaledWindowTest, RefitsToItsScreenWithTheRealFrame) {
  const QSize available = scaled->screen()->availableGeometry().size();
  const double expected = FitScale(QSize(960, 662), available, scaled->windowHandle()->frameMargins());
  ASSERT_NE(expected, kScale);
  scaled->FitToScreen();
  EXPECT_DOUBLE_EQ(scaled->Scale(), expected);
  EXPECT_EQ(scaled->size(), QSize(static_cast<int>(std::ceil(960 * expected)), static_cast<int>(std::ceil(662 * expected))));
}

TEST_F(ScaledWindowTest, CloseBoxEndsTheProgram) {
  scaled->close();
  EXPECT_EQ(quitRequests, 1);
}

TEST_F(ScaledWindowTest, DoubleClickOnTheSurfaceEndsTheProgram) {
  QTest::mouseDClick(Screen(), Qt::LeftButton, {}, Shown(QPointF(300, 500)));
  EXPECT_EQ(quitRequests, 1);
}

TEST(ScaledWindowAnimation, AnimationStartsAndDrawsInsideTheScaledWindow) {
  Torlin window;
  ScaledWindow scaled(window, 0.5);
  window.Resumer().SetUnpaced(true);
  int frames = 0;
  window.SetFrameObserver([&](const FrameReport&) {
    if (++frames == 5) window.EndProgram();
  });
  scaled.show();
  scaled.activateWindow();
  QTimer::singleShot(20000, &window, &Torlin::EndProgram);
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_EQ(frames, 5);
}
