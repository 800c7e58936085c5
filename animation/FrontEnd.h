#pragma once

#include "animation/Canvas.h"

enum class ScrollBar { VScroll1, VScroll2, HScroll1 };

// The three buttons whose face tells whether their mode is on.
enum class ModeButton { Command3, Command4, Command5 };

// What a completed frame found, for observers such as the headless lift tool.
struct FrameReport {
  long revolution = 0;  // counted from 1 at each revolution head that starts frames
  double camAngle = 0;
  int bestPitchIndex = 0;
  int bestLeverIndex = 0;
  double rollerX = 0;
  double rollerY = 0;
  double X = 0;
  double Y = 0;
  double valveY = 0;
};

// What the model needs from a window and nothing more: the scroll bars, the labels,
// the button faces, the random numbers, the surface and the end of the program.
// The desktop window, the browser page, the tools and the tests implement it; each
// also resumes the loop (LoopCoroutine) at the turns it yields.
class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  virtual int Value(ScrollBar bar) const = 0;
  // The scroll bar keeps its value inside its range, whatever it is given.
  virtual void SetValue(ScrollBar bar, int value) = 0;
  virtual int Min(ScrollBar bar) const = 0;
  virtual int Max(ScrollBar bar) const = 0;

  // Puts the text page selected by mes into Label2.
  virtual void ShowTextPage() = 0;
  // Sets Label1 to the credit text.
  virtual void ShowCredit() = 0;
  virtual void SetFace(ModeButton button, Colour face) = 0;

  // A uniform random number in [0, 1), single precision.
  virtual float NextRandom() = 0;
  // Seeds the random numbers from the clock.
  virtual void Reseed() = 0;

  // Clears the drawing surface to white and shows it so.
  virtual void ClearSurface() = 0;
  // Every way of ending the program comes here.
  virtual void EndProgram() = 0;
  // True once the program is ending: the loop returns at its next revolution head,
  // and the front end resumes it no more.
  virtual bool Ending() const = 0;

  // Called after every completed frame; does nothing unless a front end observes frames.
  virtual void FrameCompleted(const FrameReport&) {}
};
