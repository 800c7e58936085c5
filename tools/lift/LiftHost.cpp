#include "LiftHost.h"

#include <cerrno>
#include <cstring>

#include "CsvRow.h"

namespace {

const OptionRange& RangeOf(ScrollBar bar) {
  switch (bar) {
    case ScrollBar::VScroll1:
      return kLeverRange;
    case ScrollBar::VScroll2:
      return kEccentricRange;
    case ScrollBar::HScroll1:
      break;
  }
  return kSpeedRange;
}

}  // namespace

LiftHost::LiftHost(const LiftOptions& options, std::FILE* out)
    : lever_(options.lever),
      eccentric_(options.eccentric),
      speed_(options.speed),
      revolutionsWanted_(options.revolutions),
      allFrames_(options.allFrames),
      out_(out) {}

const char* LiftHost::Header() {
  return "revolution,camAngle,bestPitchIndex,bestLeverIndex,rollerX,rollerY,X,Y,valveY\n";
}

bool LiftHost::WriteHeader() { return Write(Header(), std::strlen(Header())); }

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

bool LiftHost::Write(const char* text, std::size_t size) {
  errno = 0;  // the reason reported must be this write's, not an earlier call's
  if (std::fwrite(text, 1, size, out_) == size) return true;
  writeError_ = errno != 0 ? errno : EIO;
  ending_ = true;  // nobody reads the rest
  return false;
}

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
    ending_ = true;
    return;
  }
  const std::string row = CsvRow(report);
  Write(row.data(), row.size());
}
