#pragma once

#include <cstdint>

// The deadlines of paced frames: absolute times 1/60 s apart, so that waits do not
// drift; far behind, the next deadline starts again from now, with no burst of
// frames to catch up. The host reads its clock and passes the time in.
class FrameDeadline {
 public:
  static constexpr std::int64_t kPeriodNs = 1'000'000'000 / 60;

  // The deadline of the frame that starts waiting at nowNs.
  std::int64_t Next(std::int64_t nowNs) {
    deadline_ = anchored_ ? deadline_ + kPeriodNs : nowNs + kPeriodNs;
    anchored_ = true;
    if (deadline_ < nowNs - kPeriodNs) deadline_ = nowNs;
    return deadline_;
  }

 private:
  std::int64_t deadline_ = 0;
  bool anchored_ = false;
};
