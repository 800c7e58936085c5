#include "animation/ControlDesign.h"

namespace {

using enum ControlKind;

constexpr Colour kNone{};

constexpr ControlDesign kDesigns[] = {
    {"VScroll1", VerticalScrollBar, "", {13680, 2880, 255, 2175}, 0, kNone, kNone, 0, 115, 60, 1, 5},
    {"VScroll2", VerticalScrollBar, "", {9720, 4080, 255, 2055}, 0, kNone, kNone, -95, 700, 200, 50, 50},
    {"Command1", StandardButton, "CLS", {13080, 5880, 1095, 615}, 14.25, kNone, kNone},
    {"Command2", StandardButton, "QUIT", {13080, 6600, 1095, 615}, 14.25, kNone, kNone},
    {"Label1", Label, "", {9600, 7920, 4575, 1455}, 24, colours::white, colours::teal},
    {"HScroll1", HorizontalScrollBar, "", {13080, 7320, 1095, 255}, 0, kNone, kNone, 25, 1000, 400, 1, 25},
    {"Label2", Label, "", {120, 120, 2655, 5655}, 9.75, colours::teal, colours::white},
    {"Command3", ColouredButton, "auto", {13440, 2400, 735, 375}, 9.75, colours::lightGrey, kNone},
    {"Command4", ColouredButton, " auto", {9480, 3600, 735, 375}, 9.75, colours::lightGrey, kNone},
    {"Command5", ColouredButton, "random change", {13080, 240, 1095, 615}, 9.75, colours::lightGrey, kNone},
};

}  // namespace

std::span<const ControlDesign> ControlDesigns() { return kDesigns; }
