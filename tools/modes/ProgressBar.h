#pragma once

#include <chrono>
#include <cstddef>
#include <cstdio>

// A one-line progress bar (modes done, rate, time left), redrawn at most ten times a
// second, on a stream that is a terminal; on any other stream it writes nothing.
class ProgressBar {
 public:
  ProgressBar(std::FILE* stream, std::size_t total);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void Update(std::size_t done);
  // Removes the bar, leaving the line empty for what follows.
  void Finish();

 private:
  std::FILE* stream_;
  std::size_t total_;
  bool shown_;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point lastDrawn_{};
};
