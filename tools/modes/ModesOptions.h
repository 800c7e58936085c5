#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "ExactOptions.h"
#include "analysis/ModeGrid.h"
#include "analysis/ModeSetting.h"
#include "common/ScrollBarRanges.h"

// The values a grid takes on one bar.
struct BarValues {
  std::vector<int> values;
  QString text;  // how the values were chosen, for chart titles
};

struct ModesOptions {
  BarValues lever;      // VScroll1 values of the map
  BarValues eccentric;  // VScroll2 values of the map
  int speed = 400;      // HScroll1 value: cam degrees per frame times 100
  QString plotDir;      // empty: no pictures
  std::vector<ModeSetting> curves;  // modes whose lift curves are drawn
  int threads = 0;      // 0: one per core
  ExactOptions exact;   // --exact, --svaj and its --step, --rpm
};

inline constexpr int kDefaultStepsPerBar = 100;
inline constexpr int kMaxThreads = 256;

// A LEVER,ECCENTRIC pair of whole numbers within the two bars; none if the text is not one.
std::optional<ModeSetting> ModeSettingOf(const QString& text);


struct ParsedModesOptions {
  enum class Outcome { Run, Help, Error };
  Outcome outcome = Outcome::Run;
  ModesOptions options;
  QString text;  // the help text, or the one-line error
};

// Parses the command line (arguments()[0] is the program). Never exits.
ParsedModesOptions ParseModesOptions(const QStringList& arguments);
