#include "animation/Animation.h"
#include "animation/Background.h"

void Animation::StartUp() {
  MechanismConstants& constants = state_->constants;
  // pi is set by the start-up alone: once it is, the start-up has run and must not
  // clear the window or touch steep again.
  if (constants.pi != 0) return;

  SetPi(constants);
  canvas_.Cls();
  SetCamConstants(constants);
  vars_.steep = 4;
  SetLeverConstants(constants);
  SetCornerStart(constants);

  DrawBackground(canvas_, vars_);
  host_.ShowCredit();
  host_.ShowTextPage();
  canvas_.SetPenWidth(1);

  // Nothing reads the tables before the first frame, so they come last.
  BuildProfileTables(constants, state_->tables);
}
