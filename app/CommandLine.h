#pragma once

#include <optional>

// The window program's own options, --help and --version, and the Qt toolkit's
// (-platform, -display, -style, ...), which the application object takes later.
namespace command_line {

// Reads the whole command line before any window system is touched, so that help,
// version and mistakes are answered without a display. Prints the help or the
// version if asked (a failed write is told in one line, status 1); anything that
// is neither the program's option nor Qt's, or a Qt option without its value, is
// told in one line with status 2. Returns the exit status when the program ends
// here.
std::optional<int> Read(int argc, char** argv);

}  // namespace command_line
