#pragma once

#include <cstdio>

#include "LiftOptions.h"
#include "animation/AnimationState.h"
#include "animation/Host.h"

// A host without a window: the scroll bars hold the options' values, nobody touches
// the controls, turns return at once, and every completed frame becomes a CSV row.
// It ends the program once the requested number of revolutions has been reported,
// or at the first failed write.
class LiftHost final : public Host {
 public:
  LiftHost(const LiftOptions& options, std::FILE* out);

  static const char* Header();

  // The animation whose lever curve tells real frames from the start-up frame.
  void Watch(const AnimationState& state) { state_ = &state; }

  // Writes the header; false if that failed.
  bool WriteHeader();
  // The errno of the first failed write, 0 if none failed.
  int WriteError() const { return writeError_; }

  int Value(ScrollBar bar) const override;
  void SetValue(ScrollBar bar, int value) override;
  int Min(ScrollBar bar) const override;
  int Max(ScrollBar bar) const override;
  void GiveTurn(Turn) override;
  bool Ending() const override { return ending_; }
  void ShowTextPage() override {}
  void ShowCredit() override {}
  float NextRandom() override { return 0.0f; }
  void FrameCompleted(const FrameReport& report) override;

 private:
  int& ValueOf(ScrollBar bar);
  bool Write(const char* text, std::size_t size);

  int lever_;
  int eccentric_;
  int speed_;
  int revolutionsWanted_;
  bool allFrames_;
  const AnimationState* state_ = nullptr;
  bool leverCurveWasTurned_ = false;
  long currentRevolution_ = 0;
  int revolutionsReported_ = 0;
  bool ending_ = false;
  int writeError_ = 0;
  std::FILE* out_;
};
