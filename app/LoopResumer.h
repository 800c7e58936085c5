#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

#include "animation/FrameDeadline.h"
#include "animation/LoopCoroutine.h"

// Resumes the animation loop from the application's own event loop, never from a
// nested one. A plain turn resumes on a zero timer, once the pending window events
// have been handled; the pacing turn resumes at the frame's deadline, 1/60 s after
// the previous one (absolute, so waits do not drift; far behind, the deadline starts
// again from now); a paused turn resumes only once an event has been handled, so a
// paused window sleeps.
class LoopResumer final : public QObject {
 public:
  // beforeTurn runs at every turn before anything else (the window shows what was
  // drawn); ending says whether the program is ending, after which nothing resumes.
  LoopResumer(std::function<void()> beforeTurn, std::function<bool()> ending);

  // Takes the loop and resumes it from the event loop, for the first time soon.
  void Start(LoopCoroutine loop);
  // An event has been handled: a loop waiting in a paused turn goes on.
  void EventHandled();
  // The program is ending: the loop is resumed no more and its frame is freed.
  void Stop();

  // For tests: a function called at every turn, and turns that never wait.
  void SetTurnObserver(std::function<void()> observer) { observer_ = std::move(observer); }
  void SetUnpaced(bool unpaced) { unpaced_ = unpaced; }
  long Turns() const { return turns_; }

 private:
  void Resume();
  void ResumeAfter(std::int64_t nanoseconds);

  std::function<void()> beforeTurn_;
  std::function<bool()> ending_;
  std::function<void()> observer_;
  LoopCoroutine loop_;
  QTimer timer_;
  QElapsedTimer clock_;
  FrameDeadline deadline_;
  bool waitingForEvent_ = false;
  bool unpaced_ = false;
  long turns_ = 0;
};
