#include "common/BarRanges.h"

#include <string_view>

#include "animation/ControlDesign.h"

namespace {

BarRange FromDesign(std::string_view control, const char* option) {
  for (const ControlDesign& design : ControlDesigns()) {
    if (design.name == control) return {option, design.min, design.max, design.value};
  }
  return {option, 0, 0, 0};  // unreachable: every bar has a design
}

}  // namespace

BarRange LeverBar() { return FromDesign("VScroll1", "lever"); }
BarRange EccentricBar() { return FromDesign("VScroll2", "eccentric"); }
BarRange SpeedBar() { return FromDesign("HScroll1", "speed"); }
