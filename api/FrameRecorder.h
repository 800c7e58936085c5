#pragma once

#include <functional>

#include "animation/FrontEnd.h"
#include "geometry/Mechanism.h"

// A headless run of the window's own loop, as torlin-lift makes it: the three scroll
// bars at these values, nobody touching the controls.
struct FrameRun {
  int lever = 0;      // VScroll1.Value
  int eccentric = 0;  // VScroll2.Value
  int speed = 0;      // HScroll1.Value
  int revolutions = 2;
  bool allFrames = false;  // also the frames before the lever curve was first turned
};

// Runs the loop on the mechanism and hands over every completed frame of the first
// `revolutions` revolutions, in order. It ends early once take returns false or stop()
// says true (asked at every turn of the loop, so a run ends between two frames).
void RecordFrames(const MechanismPtr& mechanism, const FrameRun& run,
                  const std::function<bool(const FrameReport&)>& take,
                  const std::function<bool()>& stop = [] { return false; });
