#include "animation/Animation.h"
#include "animation/Background.h"
#include "animation/ReadyToRun.h"

void Animation::StartUp() {
  // pi is set by the start-up alone: once it is, the start-up has run and must not
  // clear the window or touch steep again.
  if (state_->constants.pi != 0) return;

  canvas_.Cls();
  vars_.steep = 4;
  DrawBackground(canvas_, vars_);
  frontEnd_.ShowCredit();
  frontEnd_.ShowTextPage();
  canvas_.SetPenWidth(1);

  // Nothing reads the constants or the tables before the first frame, so they come last.
  MakeReadyToRun(*state_, state_->mechanism);  // the window's, unless a tool chose another
}
