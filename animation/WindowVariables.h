#pragma once

// The twelve window-level variables through which the event handlers and the
// animation loop talk to each other. Owned by the window, handed by reference to
// the handlers and to the loop; all start at 0.
struct WindowVariables {
  double X = 0;    // apex found by the triangle solver: the second roller's centre
  double Y = 0;
  double fff = 0;  // direction from the solver's first vertex to the apex, radians
  int cls1 = 0;    // 1: clear the window at the end of the current frame
  int stp = 0;     // 1: paused (pointer within 4 units of the red cross)
  double steep = 0;  // cam degrees advanced per frame
  int mes = 0;     // text page shown in Label2, 0..2
  int aut1 = 0;    // sweep of the first control shaft (VScroll1) is on
  int aut2 = 0;    // sweep of the second control shaft (VScroll2) is on
  int eee = 0;     // erase latch of the automation step
  int rad1 = 0;    // random change of both control shafts is on
  int init = 0;    // frames drawn since the background was painted (saturates past 10)
};
