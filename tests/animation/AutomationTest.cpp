#include <gtest/gtest.h>

#include <vector>

#include "AnimationRig.h"
#include "animation/Automation.h"

namespace {

// The step run at one revolution head after another, with the erase latch released
// as a completed revolution releases it: the values each bar took.
std::vector<int> Sweep(WindowVariables& vars, ScriptedHost& host, ScrollBar bar) {
  std::vector<int> values;
  for (int head = 0; head < 200; ++head) {
    if (!AutomationStep(vars, host)) vars.eee = 0;  // the revolution ran and completed
    if (values.empty() || values.back() != host.Value(bar)) values.push_back(host.Value(bar));
  }
  return values;
}

TEST(AutomationStep, FirstShaftSweepStopsBelowMax) {
  WindowVariables vars;
  ScriptedHost host;
  vars.aut1 = 1;
  const std::vector<int> values = Sweep(vars, host, ScrollBar::VScroll1);
  EXPECT_EQ(values.front(), 63);
  EXPECT_EQ(values.back(), 114);
  EXPECT_EQ(values.size(), 18u);
  EXPECT_EQ(vars.aut1, 1);  // the mode stays on
}

TEST(AutomationStep, SecondShaftSweepStopsAboveMin) {
  WindowVariables vars;
  ScriptedHost host;
  vars.aut2 = 1;
  const std::vector<int> values = Sweep(vars, host, ScrollBar::VScroll2);
  EXPECT_EQ(values.front(), 175);
  EXPECT_EQ(values.back(), -75);
  EXPECT_EQ(vars.aut2, 1);
}

TEST(AutomationStep, ReadsTheRangeFromTheBarEveryTime) {
  WindowVariables vars;
  ScriptedHost host;
  vars.aut1 = 1;
  vars.eee = 1;
  EXPECT_FALSE(AutomationStep(vars, host));
  EXPECT_EQ(host.vscroll1.value, 63);
  host.vscroll1.max = 66;
  EXPECT_FALSE(AutomationStep(vars, host));
  EXPECT_EQ(host.vscroll1.value, 63);
}

TEST(AutomationStep, OnlyTheFirstChangeWhileUnlatchedHandsOverToTheErasePass) {
  WindowVariables vars;
  ScriptedHost host;
  vars.aut1 = 1;
  vars.aut2 = 1;
  vars.rad1 = 1;
  host.randomNumbers = {0.5f, 0.5f};
  EXPECT_TRUE(AutomationStep(vars, host));
  EXPECT_EQ(vars.eee, 1);
  EXPECT_EQ(host.vscroll1.value, 63);
  EXPECT_EQ(host.vscroll2.value, 200);  // the rest of the step was skipped
  EXPECT_EQ(host.randomDraws, 0);

  // Latched: all three act, in their order, and the step returns normally.
  EXPECT_FALSE(AutomationStep(vars, host));
  EXPECT_EQ(host.randomDraws, 2);
  EXPECT_EQ(host.vscroll1.value, 58);   // 115 * 0.5 = 57.5, halves to even
  EXPECT_EQ(host.vscroll2.value, 601);  // -95 + 795 * (1 - 0.125) = 600.625
  EXPECT_EQ(vars.aut1 + vars.aut2 + vars.rad1, 3);  // modes are the handlers' business
}

TEST(AutomationStep, RandomPositionsSpanEachBarsRange) {
  WindowVariables vars;
  ScriptedHost host;
  vars.rad1 = 1;
  vars.eee = 1;
  host.randomNumbers = {0.0f, 0.0f, 0.999f, 0.99f};
  AutomationStep(vars, host);
  EXPECT_EQ(host.vscroll1.value, 0);    // r1 = 0: Min
  EXPECT_EQ(host.vscroll2.value, 700);  // r2 = 0: Max
  AutomationStep(vars, host);
  EXPECT_EQ(host.vscroll1.value, 115);  // 114.885 rounds up to Max
  EXPECT_EQ(host.vscroll2.value, -71);  // -95 + 795 * 0.0297...: near Min
}

TEST(AutomationStep, RoundsHalvesToEven) {
  WindowVariables vars;
  ScriptedHost host;
  vars.rad1 = 1;
  vars.eee = 1;
  host.vscroll1.max = 5;
  host.randomNumbers = {0.5f, 0.5f, 0.7f, 0.5f};
  AutomationStep(vars, host);
  EXPECT_EQ(host.vscroll1.value, 2);  // 2.5
  host.vscroll1.max = 7;
  host.randomNumbers = {0.5f, 0.5f};
  AutomationStep(vars, host);
  EXPECT_EQ(host.vscroll1.value, 4);  // 3.5
}

TEST(AutomationStep, GeneratorOutsideItsRangeCannotLeaveTheBars) {
  WindowVariables vars;
  ScriptedHost host;
  vars.rad1 = 1;
  vars.eee = 1;
  host.randomNumbers = {7.0f, -3.0f};
  AutomationStep(vars, host);
  EXPECT_EQ(host.vscroll1.value, 115);
  EXPECT_EQ(host.vscroll2.value, 700);
}

// At the loop's revolution heads.
using Rig = AnimationRig<RecordingCanvas>;

TEST(AutomationInTheLoop, SweepMakesTwoStepsPerRevolutionWithOneErasePass) {
  Rig rig;
  rig.vars.aut1 = 1;
  std::vector<double> seen;
  rig.host.onFrame = [&](const FrameReport& f) {
    if (f.camAngle == 0) seen.push_back(rig.State().seenScroll1);
    if (f.revolution == 3) rig.host.End();
  };
  rig.Run();
  EXPECT_EQ(seen, (std::vector<double>{66, 72, 78}));
  EXPECT_EQ(CountErasePasses(rig.canvas), 3);
}

TEST(AutomationInTheLoop, BarFourBelowMaxStepsOnceAndErasesOnce) {
  Rig rig;
  rig.vars.aut1 = 1;
  rig.host.vscroll1.value = 111;
  rig.RunUntilRevolution(3);
  EXPECT_EQ(rig.State().seenScroll1, 114);
  EXPECT_EQ(CountErasePasses(rig.canvas), 1);
  EXPECT_EQ(rig.FramesOf(2).size(), 90u);
}

TEST(AutomationInTheLoop, RandomModeDrawsTwicePerRevolutionAndShowsTheSecondPair) {
  Rig rig;
  rig.vars.rad1 = 1;
  rig.host.randomNumbers = {0.1f, 0.2f, 0.5f, 0.5f, 0.3f, 0.4f, 0.25f, 0.75f};
  std::vector<int> drawsAtStart;
  rig.host.onFrame = [&](const FrameReport& f) {
    if (f.camAngle == 0) drawsAtStart.push_back(rig.host.randomDraws);
    if (f.revolution == 2) rig.host.End();
  };
  rig.Run();
  EXPECT_EQ(drawsAtStart, (std::vector<int>{4, 8}));
  EXPECT_EQ(rig.State().seenScroll1, 29);   // 115 * 0.25 = 28.75
  EXPECT_EQ(rig.State().seenScroll2, 365);  // -95 + 795 * (1 - 0.421875) = 364.6...
  EXPECT_EQ(CountErasePasses(rig.canvas), 2);
}

TEST(AutomationInTheLoop, ModeSwitchedOnMidRevolutionWaitsForItsEnd) {
  Rig rig;
  rig.vars.eee = 1;  // as a completed revolution would leave it... until the click
  rig.host.script[PlainTurnOfFrame(20)] = [&](ScriptedHost&) {
    rig.vars.aut1 = 1;  // what the "auto" handler does
    rig.vars.eee = 0;
  };
  rig.RunUntilRevolution(2);
  EXPECT_EQ(rig.FramesOf(1).size(), 90u);
  EXPECT_EQ(rig.State().seenScroll1, 66);
  EXPECT_EQ(CountErasePasses(rig.canvas), 1);
}

TEST(AutomationInTheLoop, HandDragDuringASweepContinuesFromTheNewPosition) {
  Rig rig;
  rig.vars.aut1 = 1;
  rig.host.script[PlainTurnOfFrame(10)] = [](ScriptedHost& h) { h.vscroll1.value = 30; };
  rig.RunUntilRevolution(2);
  // The drag's erase pass leaves the latch set: one step, no further erase pass.
  EXPECT_EQ(rig.State().seenScroll1, 33);
  EXPECT_EQ(CountErasePasses(rig.canvas), 2);
}

}  // namespace
