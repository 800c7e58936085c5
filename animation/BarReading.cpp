#include "animation/BarReading.h"

#include <charconv>
#include <cstdio>
#include <numbers>

#include "animation/ControlDesign.h"
#include "animation/FrameSchedule.h"
#include "animation/Linkage.h"

namespace {

// Fixed decimals in the C locale's form, without the sign of a value that rounds to 0.
std::string Fixed(double value, int decimals) {
  char text[48];
#if defined(__cpp_lib_to_chars)
  std::string written(text, std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr);
#else
  // The WebAssembly toolchain's library has no to_chars for doubles; its printf keeps
  // to the C locale.
  std::string written(text, std::size_t(std::snprintf(text, sizeof text, "%.*f", decimals, value)));
#endif
  if (written.starts_with('-') && written.find_first_not_of("-0.") == std::string::npos) written.erase(0, 1);
  return written;
}

const char* DesignName(ScrollBar bar) {
  switch (bar) {
    case ScrollBar::VScroll1: return "VScroll1";
    case ScrollBar::VScroll2: return "VScroll2";
    case ScrollBar::HScroll1: break;
  }
  return "HScroll1";
}

}  // namespace

std::string BarReading(ScrollBar bar, int value) {
  const ControlDesign& design = ControlDesignNamed(DesignName(bar));
  std::string text = std::string(design.tip ? design.tip : design.accessibleName) + "\nvalue " + std::to_string(value);
  const Mechanism& mechanism = *WindowMechanism();
  switch (bar) {
    case ScrollBar::VScroll1: {
      const double angle = ControlShaftsFor(mechanism, value, 0).leverAngle;
      return text + ": the lever turned " + Fixed(angle * 180 / std::numbers::pi, 2) + "° (" + Fixed(angle, 4) + " rad)";
    }
    case ScrollBar::VScroll2:
      return text + ": the eccentric at " + Fixed(ControlShaftsFor(mechanism, 0, value).eccentricDeg, 1) + "°";
    case ScrollBar::HScroll1: break;
  }
  return text + ": " + Fixed(FrameStepCamDeg(value), 2) + " cam degrees per frame";
}
