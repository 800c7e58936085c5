#include "LiftHost.h"

#include "LiftColumns.h"
#include "common/BarRanges.h"
#include "common/StopSignals.h"

namespace {

BarRange RangeOf(ScrollBar bar) {
  switch (bar) {
    case ScrollBar::VScroll1:
      return LeverBar();
    case ScrollBar::VScroll2:
      return EccentricBar();
    case ScrollBar::HScroll1:
      break;
  }
  return SpeedBar();
}

}  // namespace

LiftHost::LiftHost(const LiftOptions& options, CheckedOutput& out)
    : lever_(options.lever),
      eccentric_(options.eccentric),
      speed_(options.speed),
      revolutionsWanted_(options.revolutions),
      allFrames_(options.allFrames),
      out_(out) {}

int& LiftHost::ValueOf(ScrollBar bar) {
  return bar == ScrollBar::VScroll1 ? lever_ : bar == ScrollBar::VScroll2 ? eccentric_ : speed_;
}

int LiftHost::Value(ScrollBar bar) const { return const_cast<LiftHost*>(this)->ValueOf(bar); }
void LiftHost::SetValue(ScrollBar bar, int value) { ValueOf(bar) = value; }
int LiftHost::Min(ScrollBar bar) const { return RangeOf(bar).min; }
int LiftHost::Max(ScrollBar bar) const { return RangeOf(bar).max; }

void LiftHost::GiveTurn(Turn) {
  // Every frame gives its turns before the contact search, which reads the turned
  // lever curve: what the flag says now is what this frame's search will find.
  leverCurveWasTurned_ = state_ != nullptr && state_->leverCurveTurned;
}

// Rows are written whole between frames, so stopping here never tears one.
bool LiftHost::Ending() const { return done_ || out_.Failed() || StopSignal() != 0; }

void LiftHost::FrameCompleted(const FrameReport& report) {
  // Before the lever curve has been turned once, the contact search ran against an
  // untouched table: that frame shows no position the mechanism can take.
  if (!leverCurveWasTurned_ && !allFrames_) return;

  // A revolution counts once it has reported a frame: the first revolution head
  // may find the speed bar different from the start-up speed and start again.
  if (report.revolution != currentRevolution_) {
    currentRevolution_ = report.revolution;
    ++revolutionsReported_;
  }
  if (revolutionsReported_ > revolutionsWanted_) {
    done_ = true;
    return;
  }
  row_.clear();
  AppendCsvLine(row_, LiftColumns(), report);
  out_.Write(row_);
}
