#pragma once

#include <QString>
#include <QStringList>

// The settings of one headless run: the three scroll bars as the window would show
// them, and how many revolutions to report.
struct LiftOptions {
  int lever = 60;        // VScroll1.Value
  int eccentric = 200;   // VScroll2.Value
  int speed = 400;       // HScroll1.Value
  int revolutions = 2;
};

// The valid range of each numeric option; the scroll bars' own ranges.
struct OptionRange {
  const char* name;
  int min;
  int max;
};
inline constexpr OptionRange kLeverRange{"lever", 0, 115};
inline constexpr OptionRange kEccentricRange{"eccentric", -95, 700};
inline constexpr OptionRange kSpeedRange{"speed", 25, 1000};
inline constexpr OptionRange kRevolutionsRange{"revolutions", 1, 1000000};

struct ParsedOptions {
  enum class Outcome { Run, Help, Error };
  Outcome outcome = Outcome::Run;
  LiftOptions options;
  QString text;  // the help text, or the one-line error
};

// Parses the command line (arguments()[0] is the program). Never exits.
ParsedOptions ParseLiftOptions(const QStringList& arguments);
