// torlin-lift: the valve train's kinematics without a window, as CSV on stdout.

#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "LiftHelp.h"
#include "LiftHost.h"
#include "LiftOptions.h"
#include "animation/Animation.h"
#include "animation/NullCanvas.h"
#include "torlin/Version.h"

namespace {

constexpr int kWriteFailed = 1;
constexpr int kBadOptions = 2;

int WriteFailed(int error) {
  std::fprintf(stderr, "torlin-lift: could not write to standard output: %s\n", std::strerror(error));
  return kWriteFailed;
}

// Writes text and flushes; 0, or the exit status after reporting the failure.
int Print(const std::string& text) {
  errno = 0;
  if (std::fputs(text.c_str(), stdout) < 0 || std::fflush(stdout) != 0) {
    return WriteFailed(errno != 0 ? errno : EIO);
  }
  return 0;
}

int RunLift(const LiftOptions& options) {
  WindowVariables vars;
  NullCanvas canvas;
  LiftHost host(options, stdout);
  if (host.WriteHeader()) {
    Animation animation(vars, host, canvas);
    host.Watch(animation.State());
    animation.StartUp();
    animation.Run();
  }
  if (host.WriteError() != 0) return WriteFailed(host.WriteError());
  errno = 0;
  if (std::fflush(stdout) != 0) return WriteFailed(errno != 0 ? errno : EIO);
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  // A reader that stops early ends the program as it ends other filters, even when
  // the parent process ignores SIGPIPE (an ignored signal is inherited).
  std::signal(SIGPIPE, SIG_DFL);

  QCoreApplication app(argc, argv);
  const ParsedOptions parsed = ParseLiftOptions(QCoreApplication::arguments());
  switch (parsed.outcome) {
    case ParsedOptions::Outcome::Help:
      return Print(LiftHelpText());
    case ParsedOptions::Outcome::Version:
      return Print(std::string("torlin-lift ") + kTorlinVersion + "\n");
    case ParsedOptions::Outcome::Error:
      std::fprintf(stderr, "torlin-lift: %s\n", parsed.error.toLocal8Bit().constData());
      return kBadOptions;
    case ParsedOptions::Outcome::Run:
      break;
  }
  return RunLift(parsed.options);
}
