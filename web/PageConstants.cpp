#include "web/PageConstants.h"

#include <span>

#include "animation/ControlDesign.h"
#include "animation/Event.h"
#include "animation/FrontEnd.h"
#include "animation/Turn.h"
#include "raster/WindowUnits.h"

namespace {

// {"name": 0, ...}: the names in the order of their enum.
std::string Numbered(std::span<const char* const> names) {
  std::string json = "{";
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) json += ",";
    json += "\"" + std::string(names[i]) + "\":" + std::to_string(i);
  }
  return json + "}";
}

// ["name", ...] in the order of their enum.
std::string Listed(std::span<const char* const> names) {
  std::string json = "[";
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) json += ",";
    json += "\"" + std::string(names[i]) + "\"";
  }
  return json + "]";
}

constexpr const char* kTurns[] = {"Plain", "FramePacing", "Paused"};
static_assert(static_cast<int>(Turn::Paused) == 2);
constexpr const char* kKinds[] = {"VerticalScrollBar", "HorizontalScrollBar", "StandardButton",
                                  "ColouredButton", "Label"};
static_assert(static_cast<int>(ControlKind::Label) == 4);
constexpr const char* kBars[] = {"VScroll1", "VScroll2", "HScroll1"};
static_assert(static_cast<int>(ScrollBar::HScroll1) == 2);
constexpr const char* kFaces[] = {"Command3", "Command4", "Command5"};
static_assert(static_cast<int>(ModeButton::Command5) == 2);
// The numbers of a frame's report as the page receives them (web/WebHost.cpp).
constexpr const char* kReport[] = {"revolution", "camAngle", "bestPitchIndex", "bestLeverIndex",
                                   "rollerX",    "rollerY",  "X",              "Y",
                                   "valveY",     "nonFiniteShapes"};

}  // namespace

std::string PageConstantsJson() {
  std::string json = "{";
  json += "\"clientWidth\":" + std::to_string(window_units::kClientWidth);
  json += ",\"clientHeight\":" + std::to_string(window_units::kClientHeight);
  json += ",\"escapeKey\":" + std::to_string(kEscapeKey);
  json += ",\"events\":" + Numbered(EventNames());
  json += ",\"turns\":" + Numbered(kTurns);
  json += ",\"kinds\":" + Numbered(kKinds);
  json += ",\"bars\":" + Listed(kBars);
  json += ",\"faces\":" + Listed(kFaces);
  json += ",\"report\":" + Listed(kReport);
  return json + "}";
}
