#include <QElapsedTimer>
#include <QTimer>
#include <thread>

#include "WindowFixture.h"
#include "raster/RasterCanvas.h"
#include "app/LoopResumer.h"

using WindowFrontEndTest = WindowFixture;

namespace {
constexpr qint64 kPeriodMs = 1000 / 60;
}

TEST_F(WindowFrontEndTest, ScrollBarsAreReadAndWrittenThroughTheFrontEnd) {
  FrontEnd& host = *window;
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

TEST_F(WindowFrontEndTest, LabelsAndEndingGoThroughTheWindow) {
  FrontEnd& host = *window;
  host.ShowCredit();
  EXPECT_TRUE(controls().Label1->text().contains(".example"));
  vars().mes = 2;
  host.ShowTextPage();
  EXPECT_NE(controls().Label2->text(), "Label2");
  EXPECT_FALSE(host.Ending());
  window->EndProgram();
  EXPECT_TRUE(host.Ending());
}

TEST_F(WindowFrontEndTest, RandomNumbersLieInTheHalfOpenUnitInterval) {
  FrontEnd& host = *window;
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

// A loop that yields the given turn for ever, counting its resumptions.
LoopCoroutine Yielding(Turn turn, int& resumed) {
  for (;;) {
    ++resumed;
    co_yield turn;
  }
}

class LoopResumerTest : public ::testing::Test {
 protected:
  int shown = 0;
  int resumed = 0;
  bool ending = false;
  LoopResumer resumer{[this] { ++shown; }, [this] { return ending; }};

  // Handles events until the condition holds or the limit passes.
  void WaitUntil(const std::function<bool()>& done, int limitMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs) QTest::qWait(1);
  }
};

TEST_F(LoopResumerTest, EveryTurnShowsTheDrawingThenCallsTheObserver) {
  int observed = 0;
  resumer.SetTurnObserver([&] {
    EXPECT_EQ(shown, observed + 1);
    ++observed;
  });
  resumer.Start(Yielding(Turn::Plain, resumed));
  WaitUntil([&] { return observed >= 3; });
  EXPECT_GE(observed, 3);
  EXPECT_EQ(resumer.Turns(), observed);
}

TEST_F(LoopResumerTest, FramePacingHoldsSixtyFramesPerSecondAndDoesNotBurstWhenBehind) {
  QElapsedTimer clock;
  clock.start();
  resumer.Start(Yielding(Turn::FramePacing, resumed));
  WaitUntil([&] { return resumer.Turns() >= 8; });
  EXPECT_GE(clock.elapsed(), 7 * kPeriodMs - 1);

  std::this_thread::sleep_for(std::chrono::milliseconds(200));  // a long frame
  const long before = resumer.Turns();
  clock.restart();
  WaitUntil([&] { return resumer.Turns() >= before + 3; });
  EXPECT_GE(clock.elapsed(), kPeriodMs - 1);  // one late frame at once, then the pace
}

TEST_F(LoopResumerTest, PausedTurnSleepsUntilAnEventIsHandled) {
  resumer.Start(Yielding(Turn::Paused, resumed));
  WaitUntil([&] { return resumer.Turns() >= 1; });
  QTest::qWait(100);
  EXPECT_EQ(resumer.Turns(), 1);  // not spinning
  resumer.EventHandled();
  WaitUntil([&] { return resumer.Turns() >= 2; });
  EXPECT_EQ(resumer.Turns(), 2);
}

TEST_F(LoopResumerTest, NothingIsResumedOnceTheProgramIsEnding) {
  resumer.SetUnpaced(true);
  resumer.Start(Yielding(Turn::FramePacing, resumed));
  WaitUntil([&] { return resumer.Turns() >= 2; });
  ending = true;
  const int at = resumed;
  QTest::qWait(50);
  resumer.EventHandled();
  QTest::qWait(50);
  EXPECT_LE(resumed, at + 1);
}
