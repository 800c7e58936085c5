#pragma once

// What the animation needs from the window, and nothing more. The Qt window
// implements it; tests implement it with a script; the headless tool with a
// fixed setting of the scroll bars.

enum class ScrollBar { VScroll1, VScroll2, HScroll1 };

// The kinds of event-loop turn the loop gives. The host decides how long a turn
// may wait: the model never reads a clock.
enum class Turn {
  Plain,        // process pending events and return at once
  FramePacing,  // the first turn of the pause check: the host may wait here, handling
                // events, until the frame's deadline
  Paused,       // a further turn while paused: the host may block until an event comes
};

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

class Host {
 public:
  virtual ~Host() = default;

  virtual int Value(ScrollBar bar) const = 0;
  virtual void SetValue(ScrollBar bar, int value) = 0;
  virtual int Min(ScrollBar bar) const = 0;
  virtual int Max(ScrollBar bar) const = 0;

  // Gives the event loop a turn: pending events are handled by their handlers.
  virtual void GiveTurn(Turn kind) = 0;
  // True once the program is ending; the loop returns at its next check.
  virtual bool Ending() const = 0;

  // Puts the text page selected by mes into Label2.
  virtual void ShowTextPage() = 0;
  // Sets Label1 to the credit text.
  virtual void ShowCredit() = 0;

  // A uniform random number in [0, 1), single precision.
  virtual float NextRandom() = 0;

  // Called after every completed frame; does nothing unless a host observes frames.
  virtual void FrameCompleted(const FrameReport&) {}
};
