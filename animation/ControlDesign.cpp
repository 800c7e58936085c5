#include "animation/ControlDesign.h"

#include <cstdlib>

#include "animation/BarStarts.h"

namespace {

using enum ControlKind;

constexpr Colour kNone{};

constexpr ControlDesign kDesigns[] = {
    {"VScroll1", VerticalScrollBar, "", {13680, 2880, 255, 2175}, 0, kNone, kNone, 0, 115, kLeverBarStart, 1, 5,
     "Green control shaft",
     "Turns the green control shaft, the lever: mainly sets how long the valve stays open. "
     "Takes effect at the start of the next cam revolution.",
     "Green control shaft (lever): how long the valve stays open"},
    {"VScroll2", VerticalScrollBar, "", {9720, 4080, 255, 2055}, 0, kNone, kNone, -95, 700, kEccentricBarStart, 50, 50,
     "Orange control shaft",
     "Turns the orange control shaft, the eccentric: changes the valve lift. "
     "Takes effect at the start of the next cam revolution.",
     "Orange control shaft (eccentric): how far the valve opens"},
    {"Command1", StandardButton, "CLS", {13080, 5880, 1095, 615}, 14.25, kNone, kNone, 0, 0, 0, 0, 0,
     "CLS", "Clears the lift plot at the end of the frame and shows the next text page.",
     "Clear the lift plot"},
    {"Command2", StandardButton, "QUIT", {13080, 6600, 1095, 615}, 14.25, kNone, kNone, 0, 0, 0, 0, 0,
     "QUIT", "Ends the program.", "End the program (also Escape)"},
    {"Label1", Label, "", {9600, 7920, 4575, 1455}, 24, colours::white, colours::teal, 0, 0, 0, 0, 0,
     "Credit", "Who made the program. A double-click ends it."},
    {"HScroll1", HorizontalScrollBar, "", {13080, 7320, 1095, 255}, 0, kNone, kNone, 25, 1000, kSpeedBarStart, 1, 25,
     "Animation speed", "Cam degrees per frame, from 0.25 to 10.",
     "Animation speed: cam degrees per frame (0.25 to 10)"},
    {"Label2", Label, "", {120, 120, 2655, 5655}, 9.75, colours::teal, colours::white, 0, 0, 0, 0, 0,
     "Explanation",
     "One of three text pages about the mechanism. A click shows the next page; a double-click ends "
     "the program."},
    {"Command3", ColouredButton, "auto", {13440, 2400, 735, 375}, 9.75, colours::lightGrey, kNone, 0, 0, 0, 0,
     0, "Sweep the green shaft",
     "Sweeps the green control shaft towards its end, two steps per revolution; press again to stop. "
     "A cyan face means on.",
     "Sweep the green shaft (lever) automatically; cyan means on"},
    {"Command4", ColouredButton, " auto", {9480, 3600, 735, 375}, 9.75, colours::lightGrey, kNone, 0, 0, 0, 0,
     0, "Sweep the orange shaft",
     "Sweeps the orange control shaft towards its end, two steps per revolution; press again to stop. "
     "A cyan face means on.",
     "Sweep the orange shaft (eccentric) automatically; cyan means on"},
    {"Command5", ColouredButton, "random change", {13080, 240, 1095, 615}, 9.75, colours::lightGrey, kNone, 0,
     0, 0, 0, 0, "Random change",
     "Gives both control shafts random positions once per revolution; press again to stop. "
     "A cyan face means on.",
     "Random shaft positions once per revolution; cyan means on"},
};

}  // namespace

std::span<const ControlDesign> ControlDesigns() { return kDesigns; }

const ControlDesign& ControlDesignNamed(std::string_view name) {
  for (const ControlDesign& design : kDesigns) {
    if (design.name == name) return design;
  }
  std::abort();
}
