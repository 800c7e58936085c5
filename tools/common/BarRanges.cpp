#include "common/BarRanges.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "animation/ControlDesign.h"
#include "common/ToolDesign.h"

namespace {

BarRange FromControl(std::string_view control, const char* option) {
  const ControlDesign& design = ControlDesignNamed(control);
  return {option, design.min, design.max, design.value};
}

// The design's range of a shaft's bar, in whole values; the window's start value
// where it lies inside, else the nearer end.
BarRange InDesignRange(BarRange bar, WholeBarRange whole) {
  bar.min = whole.min;
  bar.max = whole.max;
  bar.value = std::clamp(bar.value, bar.min, bar.max);
  return bar;
}

}  // namespace

BarRange LeverBar() {
  return InDesignRange(FromControl("VScroll1", "lever"), WholeBarsOf(ToolMechanism()->GetDesign().leverShaft));
}
BarRange EccentricBar() {
  return InDesignRange(FromControl("VScroll2", "eccentric"), WholeBarsOf(ToolMechanism()->GetDesign().eccentricShaft));
}
BarRange SpeedBar() { return FromControl("HScroll1", "speed"); }
