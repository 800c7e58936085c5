#pragma once

// What a study accepts beyond the design's own ranges, the same for the tools'
// options and Python's arguments.
inline constexpr double kDefaultSvajStepDeg = 0.5;
inline constexpr double kMinSvajStepDeg = 0.001;  // 720,000 rows at most
inline constexpr double kMaxSvajStepDeg = 720;
inline constexpr double kMaxRpm = 100000;
inline constexpr double kMaxTdcDeg = 720;  // --tdc from -720 up to 720
inline constexpr int kMaxThreads = 256;

// The engine speeds a page offers for its loads: a car engine's, from idle to well
// past any valve train's separation, starting at a cruising speed.
struct EngineSpeedRange {
  double min;
  double max;
  double value;
};
inline constexpr EngineSpeedRange kPageEngineSpeed{100, 20000, 3000};
