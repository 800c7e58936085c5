#pragma once

// The events the page queues for the program, by number; the page's script uses
// the same numbers.
enum class PageEvent {
  None = 0,
  FormClick = 1,
  FormDblClick = 2,
  FormMouseMove = 3,  // x, y: the pointer in client-area pixels
  KeyPress = 4,       // x: the character code
  Label1DblClick = 5,
  Label2Click = 6,
  Label2DblClick = 7,
  Command1Click = 8,
  Command2Click = 9,
  Command3Click = 10,
  Command4Click = 11,
  Command5Click = 12,
};
