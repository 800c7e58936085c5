#pragma once

#include <memory>

#include "animation/AnimationState.h"
#include "animation/Canvas.h"
#include "animation/FrontEnd.h"
#include "animation/LoopCoroutine.h"
#include "animation/WindowVariables.h"

// The animation as the window's activation handler runs it: the start-up once, then
// the loop, revolution after revolution. Owns all working state.
class Animation {
 public:
  Animation(WindowVariables& vars, FrontEnd& frontEnd, Canvas& canvas);
  ~Animation();
  Animation(const Animation&) = delete;
  Animation& operator=(const Animation&) = delete;

  // Clears, sets steep, draws the background, sets both labels and makes the state
  // ready to run (constants, profile tables).
  void StartUp();

  // The endless loop, from a revolution head. Nothing runs until the front end
  // resumes it; it yields at every event-loop turn, and returns only at a revolution
  // head when the front end is ending.
  LoopCoroutine Loop();

  // Resumes the loop at once after every turn, giving each turn to giveTurn first,
  // until the front end is ending: for the tools and the tests.
  template <class GiveTurn>
  void RunAtOnce(GiveTurn&& giveTurn) {
    if (frontEnd_.Ending()) return;
    LoopCoroutine loop = Loop();
    for (;;) {
      const Turn turn = loop.Resume();
      if (loop.Done()) return;
      giveTurn(turn);
      if (frontEnd_.Ending()) return;
    }
  }

  const AnimationState& State() const { return *state_; }
  AnimationState& MutableState() { return *state_; }

 private:
  WindowVariables& vars_;
  FrontEnd& frontEnd_;
  Canvas& canvas_;
  std::unique_ptr<AnimationState> state_;
};
