#pragma once

#include <span>
#include <string_view>

#include "animation/Canvas.h"

enum class ControlKind { VerticalScrollBar, HorizontalScrollBar, StandardButton, ColouredButton, Label };

// A rectangle in twips from the client area's top-left corner.
struct TwipsRect {
  int left;
  int top;
  int width;
  int height;
};

// One of the window's ten controls as designed: what every front end lays out.
struct ControlDesign {
  const char* name;
  ControlKind kind;
  const char* caption;  // buttons; labels get theirs at start-up
  TwipsRect place;
  double pointSize;     // bold Arial, or the nearest sans-serif
  Colour background;    // labels and coloured buttons (their face at start)
  Colour foreground;    // labels
  int min = 0;          // scroll bars: range, initial value, arrow and page step
  int max = 0;
  int value = 0;
  int arrowStep = 0;
  int pageStep = 0;
  // What the control does, for assistive technology, and its tooltip (none on labels).
  const char* accessibleName = "";
  const char* description = "";
  const char* tip = nullptr;
};

// The ten controls in tab order (the labels, which take no focus, among them).
std::span<const ControlDesign> ControlDesigns();

// The design of the control of that name ("VScroll1", ...); every name the program
// uses has one, so another name is a programming error and aborts.
const ControlDesign& ControlDesignNamed(std::string_view name);
