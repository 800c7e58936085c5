#include "LiftHost.h"

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
      out_(out) {}

const char* LiftHost::Header() {
  return "revolution,camAngle,bestPitchIndex,bestLeverIndex,rollerX,rollerY,X,Y,valveY\n";
}

int& LiftHost::ValueOf(ScrollBar bar) {
  return bar == ScrollBar::VScroll1 ? lever_ : bar == ScrollBar::VScroll2 ? eccentric_ : speed_;
}

int LiftHost::Value(ScrollBar bar) const { return const_cast<LiftHost*>(this)->ValueOf(bar); }
void LiftHost::SetValue(ScrollBar bar, int value) { ValueOf(bar) = value; }
int LiftHost::Min(ScrollBar bar) const { return RangeOf(bar).min; }
int LiftHost::Max(ScrollBar bar) const { return RangeOf(bar).max; }

void LiftHost::FrameCompleted(const FrameReport& report) {
  // A revolution counts once it has completed a frame: the first revolution head
  // may find the speed bar different from the start-up speed and start again.
  if (report.revolution != currentRevolution_) {
    currentRevolution_ = report.revolution;
    ++revolutionsReported_;
  }
  if (revolutionsReported_ > revolutionsWanted_) {
    ending_ = true;
    return;
  }
  std::fprintf(out_, "%ld,%.17g,%d,%d,%.17g,%.17g,%.17g,%.17g,%.17g\n", report.revolution,
               report.camAngle, report.bestPitchIndex, report.bestLeverIndex, report.rollerX,
               report.rollerY, report.X, report.Y, report.valveY);
}
