// torlin-lift: the valve train's kinematics without a window, as CSV on stdout.

#include <QCoreApplication>
#include <cstdio>

#include "LiftHost.h"
#include "LiftOptions.h"
#include "animation/Animation.h"
#include "animation/NullCanvas.h"

namespace {

constexpr int kBadOptions = 2;
constexpr int kWriteFailed = 1;

int RunLift(const LiftOptions& options) {
  WindowVariables vars;
  NullCanvas canvas;
  LiftHost host(options, stdout);
  std::fputs(LiftHost::Header(), stdout);
  Animation animation(vars, host, canvas);
  animation.StartUp();
  animation.Run();
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fputs("torlin-lift: could not write the rows to standard output\n", stderr);
    return kWriteFailed;
  }
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("torlin-lift"));

  const ParsedOptions parsed = ParseLiftOptions(QCoreApplication::arguments());
  switch (parsed.outcome) {
    case ParsedOptions::Outcome::Help:
      std::fputs(parsed.text.toLocal8Bit().constData(), stdout);
      return 0;
    case ParsedOptions::Outcome::Error:
      std::fprintf(stderr, "torlin-lift: %s\n", parsed.text.toLocal8Bit().constData());
      return kBadOptions;
    case ParsedOptions::Outcome::Run:
      break;
  }
  return RunLift(parsed.options);
}
