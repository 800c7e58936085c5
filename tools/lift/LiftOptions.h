#pragma once

#include <string>

#include "api/FrameRecorder.h"
#include "common/CommandLine.h"

// The settings of one headless run: the three scroll bars as the window would show
// them, how many revolutions to report, and whether to keep the start-up frame.
struct LiftOptions : FrameRun {
  std::string designFile;  // empty: the window's design
};

inline constexpr int kMaxRevolutions = 1000000;

// torlin-lift's command line, its help included; the bars' defaults are the window's.
class LiftCommandLine {
 public:
  LiftCommandLine();
  // Nothing if the run should go ahead with Options(), else the exit status.
  std::optional<int> Parse(int argc, const char* const argv[]) { return line_.Parse(argc, argv); }
  const LiftOptions& Options() const { return options_; }

 private:
  LiftOptions options_;
  CommandLine line_;
};
