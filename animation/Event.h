#pragma once

#include <span>

#include "animation/FrontEnd.h"
#include "animation/WindowVariables.h"

// Everything a person does that the handlers take, one kind per handler. Every front
// end turns its toolkit's events into these and hands them to Dispatch; the page's
// script gets the numbers from EventNames.
enum class EventKind {
  FormClick,
  FormDblClick,
  FormMouseMove,  // x, y: the pointer in window units
  FormKeyPress,   // key: the character code (the window's and every control's)
  Label1DblClick,
  Label2Click,
  Label2DblClick,
  Command1Click,  // "CLS"
  Command2Click,  // "QUIT"
  Command3Click,  // "auto"
  Command4Click,  // " auto"
  Command5Click,  // "random change"
};

struct Event {
  EventKind kind;
  float x = 0;
  float y = 0;
  int key = 0;
};

// The character code of Escape, the key that ends the program.
inline constexpr int kEscapeKey = 27;

// Runs the event's handler: changes the window-level variables and, through the front
// end, the button faces and the text page, or ends the program. Never draws the
// mechanism and never waits.
void Dispatch(const Event& event, WindowVariables& vars, FrontEnd& frontEnd);

// The kinds' names as written above, in the enum's order.
std::span<const char* const> EventNames();
