#include "animation/Automation.h"

#include <algorithm>

#include "animation/Rounding.h"

namespace {

constexpr int kSweepStep1 = 3;
constexpr int kSweepStep2 = 25;

// True when this change is the one the erase pass must follow.
bool LatchErase(WindowVariables& vars) {
  if (vars.eee != 0) return false;
  vars.eee = 1;
  return true;
}

// Min + (Max - Min) * fraction, rounded halves to even, kept within the bar's range
// (a generator that broke its [0, 1) promise must not leave the range, nor turn a
// not-a-number into an integer).
int RandomPosition(const FrontEnd& frontEnd, ScrollBar bar, double fraction) {
  const int min = frontEnd.Min(bar);
  const int max = frontEnd.Max(bar);
  const double value = RoundHalfEven(min + (max - min) * fraction);
  if (!(value >= min)) return min;
  return static_cast<int>(std::min<double>(value, max));
}

}  // namespace

bool AutomationStep(WindowVariables& vars, FrontEnd& frontEnd) {
  if (vars.aut1 == 1 &&
      frontEnd.Value(ScrollBar::VScroll1) + kSweepStep1 < frontEnd.Max(ScrollBar::VScroll1)) {
    frontEnd.SetValue(ScrollBar::VScroll1, frontEnd.Value(ScrollBar::VScroll1) + kSweepStep1);
    if (LatchErase(vars)) return true;
  }
  if (vars.aut2 == 1 &&
      frontEnd.Value(ScrollBar::VScroll2) - kSweepStep2 > frontEnd.Min(ScrollBar::VScroll2)) {
    frontEnd.SetValue(ScrollBar::VScroll2, frontEnd.Value(ScrollBar::VScroll2) - kSweepStep2);
    if (LatchErase(vars)) return true;
  }
  if (vars.rad1 == 1) {
    const float r1 = frontEnd.NextRandom();
    frontEnd.SetValue(ScrollBar::VScroll1, RandomPosition(frontEnd, ScrollBar::VScroll1, r1));
    const double r2 = frontEnd.NextRandom();
    frontEnd.SetValue(ScrollBar::VScroll2, RandomPosition(frontEnd, ScrollBar::VScroll2, 1 - r2 * r2 * r2));
    if (LatchErase(vars)) return true;
  }
  return false;
}
