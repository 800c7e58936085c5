#pragma once

#include <memory>

#include "animation/AnimationState.h"
#include "animation/Canvas.h"
#include "animation/Host.h"
#include "animation/WindowVariables.h"

// The animation as the window's activation handler runs it: the start-up once,
// then the loop, revolution after revolution, until the host says the program is
// ending. Owns all working state.
class Animation {
 public:
  Animation(WindowVariables& vars, Host& host, Canvas& canvas);
  ~Animation();
  Animation(const Animation&) = delete;
  Animation& operator=(const Animation&) = delete;

  // Clears, sets the constants and steep, draws the background, sets both labels
  // and builds the profile tables.
  void StartUp();
  // The endless loop; returns only when host.Ending() is true.
  void Run();

  const AnimationState& State() const { return *state_; }
  AnimationState& MutableState() { return *state_; }

 private:
  WindowVariables& vars_;
  Host& host_;
  Canvas& canvas_;
  std::unique_ptr<AnimationState> state_;
};
