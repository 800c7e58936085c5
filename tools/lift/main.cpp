// torlin-lift: the valve train's kinematics without a window, as CSV on stdout.

#include "LiftColumns.h"
#include "LiftHost.h"
#include "LiftOptions.h"
#include "animation/Animation.h"
#include "animation/NullCanvas.h"
#include "common/StopSignals.h"
#include "common/ToolOutput.h"

namespace {

constexpr const char* kProgram = "torlin-lift";

int RunLift(const LiftOptions& options) {
  CheckedOutput out;
  if (out.Write(CsvHeader(LiftColumns()))) {
    WindowVariables vars;
    NullCanvas canvas;
    LiftHost host(options, out);
    Animation animation(vars, host, canvas);
    host.Watch(animation.State());
    animation.StartUp();
    animation.RunAtOnce([&](Turn turn) { host.GiveTurn(turn); });
  }
  if (!out.Flush()) {
    PrintError(kProgram, out.FailureLine());
    return kExitFailed;
  }
  if (const int signal = StopSignal()) return ExitStatusForSignal(signal);
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  PrepareStandardStreams();
  CatchStopSignals();  // first: a signal at any moment ends the run the designed way
  LiftCommandLine commandLine;
  if (const std::optional<int> status = commandLine.Parse(argc, argv)) return *status;
  return RunLift(commandLine.Options());
}
