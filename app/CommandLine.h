#pragma once

#include <QStringList>
#include <optional>

// The window program's own options, --help and --version; Qt takes its own
// (-platform, -display, -style, ...) when the application object is made.
namespace command_line {

// Prints the help or the version if either is asked for, before any window system
// is touched, so that both work without a display. Returns the exit status then.
std::optional<int> AnswerInformationRequest(int argc, char** argv);

// After Qt took its options: anything left over is a mistake, told in one line.
// Returns the exit status then.
std::optional<int> RejectLeftovers(const QStringList& arguments);

}  // namespace command_line
