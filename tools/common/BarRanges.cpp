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

// The design's range of a shaft's bar, in whole values (a checked design holds at
// least one); the window's start value where it lies inside, else the nearer end.
BarRange InDesignRange(BarRange bar, double min, double max) {
  bar.min = static_cast<int>(std::ceil(min));
  bar.max = static_cast<int>(std::floor(max));
  bar.value = std::clamp(bar.value, bar.min, bar.max);
  return bar;
}

}  // namespace

BarRange LeverBar() {
  const LeverShaftDesign& shaft = ToolMechanism()->GetDesign().leverShaft;
  return InDesignRange(FromControl("VScroll1", "lever"), shaft.barMin, shaft.barMax);
}
BarRange EccentricBar() {
  const EccentricShaftDesign& shaft = ToolMechanism()->GetDesign().eccentricShaft;
  return InDesignRange(FromControl("VScroll2", "eccentric"), shaft.barMin, shaft.barMax);
}
BarRange SpeedBar() { return FromControl("HScroll1", "speed"); }
