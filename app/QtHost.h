#pragma once

#include <QElapsedTimer>
#include <cstdint>
#include <functional>

#include "animation/FrameDeadline.h"
#include "animation/Host.h"
#include "animation/RandomNumbers.h"

class QEventLoop;
class QScrollBar;
class Torlin;

// The animation's view of the real window: the scroll bars, event-loop turns with
// frame pacing, the labels, the end of the program and the random numbers.
//
// Pacing: a frame-pacing turn waits, handling events, until an absolute deadline
// 1/60 s after the previous one (so waits do not drift; far behind, the deadline
// starts again from now). A paused turn sleeps until an event arrives. Nothing
// waits once the program is ending.
class QtHost final : public Host {
 public:
  explicit QtHost(Torlin& window);
  ~QtHost() override;
  QtHost(const QtHost&) = delete;
  QtHost& operator=(const QtHost&) = delete;

  int Value(ScrollBar bar) const override;
  void SetValue(ScrollBar bar, int value) override;
  int Min(ScrollBar bar) const override;
  int Max(ScrollBar bar) const override;
  void GiveTurn(Turn kind) override;
  bool Ending() const override;
  void ShowTextPage() override;
  void ShowCredit() override;
  float NextRandom() override;
  void FrameCompleted(const FrameReport& report) override;

  // Seeds the random numbers from the clock (or from the seed source a test set).
  void Reseed();
  // Ends a wait in progress at once (the program is ending).
  void WakeUp();

  // For tests: a function called at the start of every turn, and turns that never
  // wait (no pacing, no sleeping while paused).
  void SetTurnObserver(std::function<void()> observer) { observer_ = std::move(observer); }
  void SetUnpaced(bool unpaced) { unpaced_ = unpaced; }
  // For tests: a function told what every completed frame found.
  void SetFrameObserver(std::function<void(const FrameReport&)> observer) {
    frameObserver_ = std::move(observer);
  }
  long Turns() const { return turns_; }
  // For tests: where Reseed takes its seed instead of the clock, so that a run of the
  // random change is the same every time.
  void SetSeedSource(std::function<std::uint64_t()> source) { seedSource_ = std::move(source); }

 private:
  QScrollBar& Bar(ScrollBar bar) const;
  void WaitForFrameDeadline();
  void WaitFor(std::int64_t nanoseconds);

  Torlin& window_;
  RandomNumbers random_;
  QElapsedTimer clock_;
  FrameDeadline deadline_;
  QEventLoop* waiting_ = nullptr;
  std::function<void()> observer_;
  std::function<std::uint64_t()> seedSource_;
  std::function<void(const FrameReport&)> frameObserver_;
  bool unpaced_ = false;
  long turns_ = 0;
};
