#include <cmath>

#include "animation/Animation.h"
#include "animation/Automation.h"
#include "animation/Background.h"
#include "animation/CamOutline.h"
#include "animation/ErasePass.h"
#include "animation/FrameKinematics.h"
#include "animation/FrameSchedule.h"
#include "animation/LiftPlot.h"
#include "animation/Linkage.h"
#include "animation/MechanismDrawing.h"

namespace {

// The steps of the loop between its turns. Handlers run only in the turns the loop
// yields; it reads the scroll bars and the window-level variables at fixed points of
// the frame and never waits itself: the front end paces the frames.
class LoopSteps {
 public:
  LoopSteps(WindowVariables& vars, FrontEnd& frontEnd, Canvas& canvas, AnimationState& state)
      : vars_(vars), frontEnd_(frontEnd), canvas_(canvas), state_(state) {}

  // The revolution head; true when the automation step wants the erase pass first.
  bool RevolutionHead() {
    canvas_.SetPenWidth(1);
    canvas_.SetPenColour(colours::grey);
    canvas_.Circle(state_.constants.camCentreX, state_.constants.camCentreY, 12.5);
    if (AutomationStep(vars_, frontEnd_)) return true;
    SetControlShafts(state_, frontEnd_.Value(ScrollBar::VScroll1), frontEnd_.Value(ScrollBar::VScroll2));
    return false;
  }

  // Frame steps 1 to 6: the cam outline whitened at its old angle, drawn at the new.
  void TurnCamOutline() { ::TurnCamOutline(state_, canvas_); }

  bool VerticalBarsMoved() const {
    return frontEnd_.Value(ScrollBar::VScroll1) != state_.seenScroll1 ||
           frontEnd_.Value(ScrollBar::VScroll2) != state_.seenScroll2;
  }

  // Frame step 10: a new speed is taken, and the revolution is abandoned for it.
  bool SpeedChanged() {
    const double speed = FrameStepCamDeg(frontEnd_.Value(ScrollBar::HScroll1));
    if (speed == vars_.steep) return false;
    vars_.steep = speed;
    return true;
  }

  // Frame steps 11 to 15: the kinematics, the mechanism, the lift plot, a clear request.
  void CompleteFrame() {
    AnimationState& s = state_;
    const Pose pose = FrameKinematics(s, vars_);
    DrawOrdinaryFrame(pose, s.constants, vars_.init, canvas_);
    LiftPlotStep(s, canvas_);

    const double frameAngle = s.camAngle;
    if (vars_.cls1 == 1) {
      canvas_.Cls();
      vars_.cls1 = 0;
      s.camAngle = 0;  // the revolution goes on at its step
      DrawBackground(canvas_, vars_);
      frontEnd_.ShowTextPage();
    }
    frontEnd_.FrameCompleted(FrameReport{s.revolution, frameAngle, s.bestPitchIndex,
                                         s.bestLeverIndex, pose.rollerX, pose.rollerY, pose.X,
                                         pose.Y, pose.valveY});
  }

  void ErasePass() { RunErasePass(state_, canvas_); }

 private:
  WindowVariables& vars_;
  FrontEnd& frontEnd_;
  Canvas& canvas_;
  AnimationState& state_;
};

}  // namespace

LoopCoroutine Animation::Loop() {
  LoopSteps steps(vars_, frontEnd_, canvas_, *state_);
  AnimationState& s = *state_;
  while (!frontEnd_.Ending()) {
    if (steps.RevolutionHead()) {
      steps.ErasePass();
      continue;
    }
    const double step = vars_.steep;
    ++s.revolution;
    bool erase = false;
    for (s.camAngle = kFirstFrameCamDeg; FrameWithinRevolution(s.camAngle); s.camAngle += step) {
      steps.TurnCamOutline();
      co_yield Turn::Plain;
      if (steps.VerticalBarsMoved()) {
        erase = true;
        break;
      }
      // The pause check: the first turn may wait for the frame's deadline, the
      // others (while the pointer rests on the red cross) for the next event.
      Turn pauseTurn = Turn::FramePacing;
      do {
        co_yield pauseTurn;
        pauseTurn = Turn::Paused;
      } while (vars_.stp != 0);
      if (steps.SpeedChanged()) {
        erase = true;
        break;
      }
      steps.CompleteFrame();
    }
    if (erase) {
      steps.ErasePass();
      continue;
    }
    vars_.eee = 0;
  }
}
