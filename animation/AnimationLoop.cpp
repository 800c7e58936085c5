#include <cmath>

#include "animation/Animation.h"
#include "animation/Automation.h"
#include "animation/Background.h"
#include "animation/CamOutline.h"
#include "animation/ErasePass.h"
#include "animation/FrameKinematics.h"
#include "animation/LiftPlot.h"
#include "animation/Linkage.h"
#include "animation/MechanismDrawing.h"

namespace {

// How a frame ended.
enum class FrameEnd {
  Completed,
  Erase,   // a scroll bar moved: wipe the old settings and start a new revolution
  Ending,  // the program is ending
};

// The loop's revolutions and frames over the animation's state. Handlers run only in
// the turns it gives; it reads the scroll bars and the window-level variables at
// fixed points of the frame and never waits itself: the host paces the frames.
class Loop {
 public:
  Loop(WindowVariables& vars, Host& host, Canvas& canvas, AnimationState& state)
      : vars_(vars), host_(host), canvas_(canvas), state_(state) {}

  void Run() {
    while (!host_.Ending()) {
      if (RevolutionHead()) {
        RunErasePass(state_, canvas_);
        continue;
      }
      const double step = vars_.steep;
      ++state_.revolution;
      FrameEnd end = FrameEnd::Completed;
      for (state_.camAngle = 0; state_.camAngle <= 359; state_.camAngle += step) {
        end = Frame();
        if (end != FrameEnd::Completed) break;
      }
      if (end == FrameEnd::Ending) return;
      if (end == FrameEnd::Erase) {
        RunErasePass(state_, canvas_);
        continue;
      }
      vars_.eee = 0;
    }
  }

 private:
  // Returns true when the automation step wants the erase pass before the revolution.
  bool RevolutionHead() {
    canvas_.SetPenWidth(1);
    canvas_.SetPenColour(colours::grey);
    canvas_.Circle(state_.constants.camCentreX, state_.constants.camCentreY, 12.5);
    if (AutomationStep(vars_, host_)) return true;
    SetControlShafts(state_, host_.Value(ScrollBar::VScroll1), host_.Value(ScrollBar::VScroll2));
    return false;
  }

  bool VerticalBarsMoved() const {
    return host_.Value(ScrollBar::VScroll1) != state_.seenScroll1 ||
           host_.Value(ScrollBar::VScroll2) != state_.seenScroll2;
  }

  // Gives turns while the pointer rests on the red cross; the first may wait for the
  // frame's deadline, the others for the next event. False if the program is ending.
  bool PauseCheck() {
    Turn kind = Turn::FramePacing;
    do {
      host_.GiveTurn(kind);
      if (host_.Ending()) return false;
      kind = Turn::Paused;
    } while (vars_.stp != 0);
    return true;
  }

  FrameEnd Frame() {
    AnimationState& s = state_;
    s.camAngleRad = s.camAngle * s.constants.pi / 180;
    s.camCos = std::cos(s.camAngleRad);
    s.camSin = std::sin(s.camAngleRad);

    canvas_.SetPenWidth(1);
    canvas_.SetPenColour(colours::white);
    DrawCamOutline(s, canvas_, s.prevCamCos, s.prevCamSin);
    canvas_.SetPenColour(colours::red);
    DrawCamOutline(s, canvas_, s.camCos, s.camSin);
    s.prevCamCos = s.camCos;
    s.prevCamSin = s.camSin;
    canvas_.SetPenColour(colours::red);

    host_.GiveTurn(Turn::Plain);
    if (host_.Ending()) return FrameEnd::Ending;
    if (VerticalBarsMoved()) return FrameEnd::Erase;
    if (!PauseCheck()) return FrameEnd::Ending;
    const double speed = host_.Value(ScrollBar::HScroll1) / 100.0;
    if (speed != vars_.steep) {
      vars_.steep = speed;
      return FrameEnd::Erase;
    }

    const Pose pose = FrameKinematics(s, vars_);
    DrawOrdinaryFrame(pose, s.constants, vars_.init, canvas_);
    LiftPlotStep(s, canvas_);

    const double frameAngle = s.camAngle;
    if (vars_.cls1 == 1) {
      canvas_.Cls();
      vars_.cls1 = 0;
      s.camAngle = 0;  // the revolution goes on at its step
      DrawBackground(canvas_, vars_);
      host_.ShowTextPage();
    }
    host_.FrameCompleted(FrameReport{s.revolution, frameAngle, s.bestPitchIndex,
                                     s.bestLeverIndex, s.rollerX, s.rollerY, vars_.X, vars_.Y,
                                     s.valveY});
    return FrameEnd::Completed;
  }

  WindowVariables& vars_;
  Host& host_;
  Canvas& canvas_;
  AnimationState& state_;
};

}  // namespace

void Animation::Run() {
  Loop(vars_, host_, canvas_, *state_).Run();
}
