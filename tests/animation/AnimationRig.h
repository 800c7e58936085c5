#pragma once

#include <cmath>
#include <vector>

#include "animation/Animation.h"
#include "animation/NullCanvas.h"
#include "support/RecordingCanvas.h"
#include "support/ScriptedHost.h"

// The animation wired to a scripted host and a canvas of the test's choice, started
// up and ready to run.
template <class CanvasType>
struct AnimationRig {
  WindowVariables vars;
  ScriptedHost host;
  CanvasType canvas;
  Animation animation{vars, host, canvas};

  AnimationRig() { animation.StartUp(); }

  const AnimationState& State() const { return animation.State(); }

  // Runs until the given number of frames has completed.
  void RunFrames(std::size_t count) {
    auto previous = host.onFrame;
    host.onFrame = [this, count, previous](const FrameReport& report) {
      if (previous) previous(report);
      if (host.frames.size() >= count) host.End();
    };
    Run();
  }

  // Runs the loop from a revolution head, giving its turns through the script, until
  // the program ends.
  void Run() { RunScripted(animation, host); }

  // Runs until the first frame of the given revolution has completed.
  void RunUntilRevolution(long revolution) {
    host.onFrame = [this, revolution](const FrameReport& report) {
      if (report.revolution >= revolution) host.End();
    };
    Run();
  }

  std::vector<FrameReport> FramesOf(long revolution) const {
    std::vector<FrameReport> frames;
    for (const FrameReport& f : host.frames) {
      if (f.revolution == revolution) frames.push_back(f);
    }
    return frames;
  }
};

// Turns are counted from 1; an unpaused frame n gives the plain turn 2n - 1 and the
// pacing turn 2n.
inline long PlainTurnOfFrame(long frame) { return 2 * frame - 1; }
inline long PacingTurnOfFrame(long frame) { return 2 * frame; }

// Erase passes are the only drawers of a white circle of radius 1 (about the eccentric).
inline long CountErasePasses(const RecordingCanvas& canvas) {
  long n = 0;
  for (const auto& call : canvas.calls) {
    n += call.op == RecordingCanvas::Op::Circle && call.colour == colours::white && call.c == 1;
  }
  return n;
}
