#pragma once

#include "LiftOptions.h"
#include "animation/AnimationState.h"
#include "animation/FrontEnd.h"
#include "animation/Turn.h"
#include "common/ToolOutput.h"

// A host without a window: the scroll bars hold the options' values, nobody touches
// the controls, turns return at once, and every completed frame becomes a CSV row.
// It ends the program once the requested number of revolutions has been reported,
// at the first failed write, or when a signal asks it to stop.
class LiftHost final : public FrontEnd {
 public:
  LiftHost(const LiftOptions& options, CheckedOutput& out);

  // The animation whose lever curve tells real frames from the start-up frame.
  void Watch(const AnimationState& state) { state_ = &state; }

  int Value(ScrollBar bar) const override;
  void SetValue(ScrollBar bar, int value) override;
  int Min(ScrollBar bar) const override;
  int Max(ScrollBar bar) const override;
  bool Ending() const override;
  void ShowTextPage() override {}
  void ShowCredit() override {}
  void SetFace(ModeButton, Colour) override {}
  float NextRandom() override { return 0.0f; }
  void Reseed() override {}
  void ClearSurface() override {}
  void EndProgram() override { done_ = true; }
  void FrameCompleted(const FrameReport& report) override;

  // Each turn the loop yields: returns at once.
  void GiveTurn(Turn);

 private:
  int& ValueOf(ScrollBar bar);

  int lever_;
  int eccentric_;
  int speed_;
  int revolutionsWanted_;
  bool allFrames_;
  const AnimationState* state_ = nullptr;
  bool leverCurveWasTurned_ = false;
  long currentRevolution_ = 0;
  int revolutionsReported_ = 0;
  bool done_ = false;
  CheckedOutput& out_;
  std::string row_;
};
