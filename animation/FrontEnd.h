#pragma once

#include "animation/Canvas.h"

// The three buttons whose face tells whether their mode is on.
enum class ModeButton { Command3, Command4, Command5 };

// What the event handlers change on a front end besides the window-level
// variables: the button faces, the text page, the random numbers, the surface and
// the end of the program. The desktop window and the browser page implement it.
class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  virtual void SetFace(ModeButton button, Colour face) = 0;
  // Puts the text page selected by mes into Label2.
  virtual void ShowTextPage() = 0;
  // Seeds the random numbers from the clock.
  virtual void Reseed() = 0;
  // Clears the drawing surface to white and shows it so.
  virtual void ClearSurface() = 0;
  // Every way of ending the program comes here.
  virtual void EndProgram() = 0;
};
