#pragma once

#include <optional>

#include "animation/FrontEnd.h"

// The window program's own options, --help and --version, and the Qt toolkit's
// (-platform, -display, -style, ...), which the application object takes later.
namespace command_line {

// Where --lever, --eccentric and --speed ask the three bars to stand at the start;
// none: the designed start.
struct StartBars {
  std::optional<int> lever;      // VScroll1
  std::optional<int> eccentric;  // VScroll2
  std::optional<int> speed;      // HScroll1
};

// Reads the whole command line before any window system is touched, so that help,
// version and mistakes are answered without a display. Prints the help or the
// version if asked (a failed write is told in one line, status 1); anything that
// is neither the program's option nor Qt's, a Qt option without its value, or a bar
// value that is not a whole number in the bar's range, is told in one line with
// status 2. Returns the exit status when the program ends here; otherwise bars holds
// the start values asked for.
std::optional<int> Read(int argc, char** argv, StartBars& bars);

// Sets the bars asked for, before the start-up reads them.
void SetStartBars(FrontEnd& frontEnd, const StartBars& bars);

}  // namespace command_line
