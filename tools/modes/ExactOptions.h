#pragma once

#include <QString>
#include <optional>

#include "analysis/ModeSetting.h"

class QCommandLineParser;

inline constexpr double kDefaultSvajStepDeg = 0.5;
inline constexpr double kMinSvajStepDeg = 0.001;  // 720,000 rows at most
inline constexpr double kMaxRpm = 100000;

// The options of the exact kinematics: --exact for the map, and --svaj for the lift,
// velocity, acceleration and jerk of one mode.
struct ExactOptions {
  bool exactMap = false;           // the map gains the exact model's columns
  std::optional<ModeSetting> svaj;  // one mode's SVAJ instead of the map
  double svajStepDeg = kDefaultSvajStepDeg;  // crank degrees between SVAJ rows
  std::optional<double> rpm;       // engine speed: derivatives by time instead of by angle
};

void AddExactOptions(QCommandLineParser& parser);

// Reads them; false with the one-line message if one is malformed, out of range, or
// meaningless with the others given (mapOptionsGiven: a grid or curve option was).
bool ReadExactOptions(const QCommandLineParser& parser, bool mapOptionsGiven, ExactOptions& target,
                      QString& error);
