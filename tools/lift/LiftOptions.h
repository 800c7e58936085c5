#pragma once

#include <QString>
#include <QStringList>

#include "common/ScrollBarRanges.h"

// The settings of one headless run: the three scroll bars as the window would show
// them, how many revolutions to report, and whether to keep the start-up frame.
struct LiftOptions {
  int lever = 60;        // VScroll1.Value
  int eccentric = 200;   // VScroll2.Value
  int speed = 400;       // HScroll1.Value
  int revolutions = 2;
  bool allFrames = false;  // also report frames before the lever curve was first turned
};

// The valid range of each numeric option: the scroll bars' own ranges, and this one.
inline constexpr OptionRange kRevolutionsRange{"revolutions", 1, 1000000};

struct ParsedOptions {
  enum class Outcome { Run, Help, Version, Error };
  Outcome outcome = Outcome::Run;
  LiftOptions options;
  QString error;  // the one-line message when the outcome is Error
};

// Parses the command line (arguments()[0] is the program). Never exits.
ParsedOptions ParseLiftOptions(const QStringList& arguments);
