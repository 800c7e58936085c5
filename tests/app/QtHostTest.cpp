#include <QElapsedTimer>
#include <QTimer>
#include <thread>

#include "WindowFixture.h"
#include "raster/RasterCanvas.h"
#include "app/QtHost.h"

using QtHostTest = WindowFixture;

namespace {
constexpr qint64 kPeriodMs = 1000 / 60;
}

TEST_F(QtHostTest, ScrollBarsAreReadAndWrittenThroughTheHost) {
  QtHost& host = window->AnimationHost();
  EXPECT_EQ(host.Value(ScrollBar::VScroll1), 60);
  EXPECT_EQ(host.Value(ScrollBar::VScroll2), 200);
  EXPECT_EQ(host.Value(ScrollBar::HScroll1), 400);
  EXPECT_EQ(host.Min(ScrollBar::VScroll2), -95);
  EXPECT_EQ(host.Max(ScrollBar::VScroll2), 700);
  EXPECT_EQ(host.Min(ScrollBar::HScroll1), 25);
  EXPECT_EQ(host.Max(ScrollBar::VScroll1), 115);
  host.SetValue(ScrollBar::VScroll1, 33);
  EXPECT_EQ(controls().VScroll1->value(), 33);
  host.SetValue(ScrollBar::VScroll2, 9999);  // kept inside the range
  EXPECT_EQ(host.Value(ScrollBar::VScroll2), 700);
}

TEST_F(QtHostTest, LabelsAndEndingGoThroughTheWindow) {
  QtHost& host = window->AnimationHost();
  host.ShowCredit();
  EXPECT_TRUE(controls().Label1->text().contains(".example"));
  vars().mes = 2;
  host.ShowTextPage();
  EXPECT_NE(controls().Label2->text(), "Label2");
  EXPECT_FALSE(host.Ending());
  window->EndProgram();
  EXPECT_TRUE(host.Ending());
}

TEST_F(QtHostTest, RandomNumbersLieInTheHalfOpenUnitInterval) {
  QtHost& host = window->AnimationHost();
  host.Reseed();
  float low = 1;
  float high = 0;
  for (int i = 0; i < 200000; ++i) {
    const float r = host.NextRandom();
    ASSERT_GE(r, 0.0f);
    ASSERT_LT(r, 1.0f);
    low = std::min(low, r);
    high = std::max(high, r);
  }
  EXPECT_LT(low, 0.001f);
  EXPECT_GT(high, 0.999f);
}

TEST_F(QtHostTest, EveryTurnShowsTheDrawingAndCallsTheObserver) {
  QtHost& host = window->AnimationHost();
  int observed = 0;
  host.SetTurnObserver([&] { ++observed; });
  window->Surface().SetPenColour(colours::red);
  window->Surface().Line(-10, 0, 10, 0);
  host.GiveTurn(Turn::Plain);
  EXPECT_EQ(observed, 1);
  EXPECT_TRUE(window->Surface().TakeDirty().empty());
  host.SetUnpaced(true);
  host.GiveTurn(Turn::FramePacing);
  host.GiveTurn(Turn::Paused);  // unpaced: returns without an event
  EXPECT_EQ(observed, 3);
  EXPECT_EQ(host.Turns(), 3);
}

TEST_F(QtHostTest, FramePacingHoldsSixtyFramesPerSecondAndDoesNotBurstWhenBehind) {
  QtHost& host = window->AnimationHost();
  QElapsedTimer clock;
  clock.start();
  for (int i = 0; i < 7; ++i) host.GiveTurn(Turn::FramePacing);
  EXPECT_GE(clock.elapsed(), 7 * kPeriodMs - 1);

  std::this_thread::sleep_for(std::chrono::milliseconds(200));  // a long frame
  host.GiveTurn(Turn::FramePacing);
  clock.restart();
  host.GiveTurn(Turn::FramePacing);
  host.GiveTurn(Turn::FramePacing);
  EXPECT_GE(clock.elapsed(), 2 * kPeriodMs - 1);
}

TEST_F(QtHostTest, PausedTurnSleepsUntilAnEventArrives) {
  QtHost& host = window->AnimationHost();
  bool delivered = false;
  QTimer::singleShot(40, [&] { delivered = true; });
  QElapsedTimer clock;
  clock.start();
  while (!delivered && clock.elapsed() < 5000) host.GiveTurn(Turn::Paused);
  EXPECT_TRUE(delivered);
  EXPECT_LT(host.Turns(), 20);  // woken by events, not spinning
}

TEST_F(QtHostTest, NoTurnWaitsOnceTheProgramIsEnding) {
  QtHost& host = window->AnimationHost();
  window->EndProgram();
  QElapsedTimer clock;
  clock.start();
  for (int i = 0; i < 10; ++i) {
    host.GiveTurn(Turn::Paused);
    host.GiveTurn(Turn::FramePacing);
  }
  EXPECT_LT(clock.elapsed(), 5 * kPeriodMs);
}
