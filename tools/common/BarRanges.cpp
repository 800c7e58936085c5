#include "common/BarRanges.h"

#include <string_view>

#include "animation/ControlDesign.h"

namespace {

BarRange FromDesign(std::string_view control, const char* option) {
  const ControlDesign& design = ControlDesignNamed(control);
  return {option, design.min, design.max, design.value};
}

}  // namespace

BarRange LeverBar() { return FromDesign("VScroll1", "lever"); }
BarRange EccentricBar() { return FromDesign("VScroll2", "eccentric"); }
BarRange SpeedBar() { return FromDesign("HScroll1", "speed"); }
