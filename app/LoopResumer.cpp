#include "app/LoopResumer.h"

#include <chrono>

LoopResumer::LoopResumer(std::function<void()> beforeTurn, std::function<bool()> ending)
    : beforeTurn_(std::move(beforeTurn)), ending_(std::move(ending)) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &LoopResumer::Resume);
  clock_.start();
}

void LoopResumer::Start(LoopCoroutine loop) {
  loop_ = std::move(loop);
  timer_.start(0);
}

void LoopResumer::Stop() {
  timer_.stop();
  waitingForEvent_ = false;
  loop_ = LoopCoroutine();
}

void LoopResumer::EventHandled() {
  if (!waitingForEvent_) return;
  waitingForEvent_ = false;
  timer_.start(0);
}

void LoopResumer::ResumeAfter(std::int64_t nanoseconds) {
  timer_.start(std::chrono::milliseconds(nanoseconds > 0 ? (nanoseconds + 999'999) / 1'000'000 : 0));
}

void LoopResumer::Resume() {
  if (ending_()) return Stop();
  const Turn turn = loop_.Resume();
  if (loop_.Done()) return Stop();
  ++turns_;
  beforeTurn_();
  if (observer_) observer_();
  if (ending_()) return Stop();
  if (unpaced_ || turn == Turn::Plain) {
    timer_.start(0);
  } else if (turn == Turn::FramePacing) {
    const std::int64_t now = clock_.nsecsElapsed();
    ResumeAfter(deadline_.Next(now) - now);
  } else {
    waitingForEvent_ = true;
  }
}
