// torlin-lift: the valve train's kinematics without a window, as CSV on stdout.

#include "LiftOptions.h"
#include "api/FrameRecorder.h"
#include "api/LiftColumns.h"
#include "api/CsvWriter.h"
#include "common/ProgramNotes.h"
#include "common/StopSignals.h"
#include "common/ToolDesign.h"
#include "common/ToolOutput.h"

namespace {

constexpr const char* kProgram = "torlin-lift";

// What the rows depend on beyond themselves, for the notes after them.
CsvColumns<LiftOptions> RunNotes() {
  CsvColumns<LiftOptions> notes = ProgramNotes<LiftOptions>(kProgram);
  notes.push_back(NumberColumn<LiftOptions>("lever", [](const LiftOptions& o) { return o.lever; }));
  notes.push_back(NumberColumn<LiftOptions>("eccentric", [](const LiftOptions& o) { return o.eccentric; }));
  notes.push_back(
      NumberColumn<LiftOptions>("windowSpeed_camDegPerFrame", [](const LiftOptions& o) { return o.speed / 100.0; }));
  return notes;
}

int RunLift(const LiftOptions& options) {
  CheckedOutput out;
  if (out.Write(CsvHeader(LiftColumns()))) {
    std::string row;
    const auto take = [&](const FrameReport& report) {
      row.clear();
      AppendCsvLine(row, LiftColumns(), report);
      return out.Write(row);
    };
    RecordFrames(ToolMechanism(), options, take, [&] { return out.Failed() || StopSignal() != 0; });
    if (StopSignal() == 0) out.Write(NoteBlock(RunNotes(), options));
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
  if (const std::optional<int> status = UseDesignOfArguments(kProgram, argc, argv)) return *status;
  LiftCommandLine commandLine;
  if (const std::optional<int> status = commandLine.Parse(argc, argv)) return *status;
  return RunLift(commandLine.Options());
}
