#include "api/FrameRecorder.h"

#include "animation/Animation.h"
#include "animation/ControlDesign.h"
#include "animation/NullCanvas.h"
#include "animation/Turn.h"

namespace {

// A front end without a window: the scroll bars hold the run's values and the
// design's ranges, turns return at once, and completed frames go to the taker.
class FrameRecorder final : public FrontEnd {
 public:
  FrameRecorder(const Design& design, const FrameRun& run, const std::function<bool(const FrameReport&)>& take,
                const std::function<bool()>& stop)
      : lever_(WholeBarsOf(design.leverShaft)),
        eccentric_(WholeBarsOf(design.eccentricShaft)),
        values_{run.lever, run.eccentric, run.speed},
        run_(run),
        take_(take),
        stop_(stop) {}

  void Watch(const AnimationState& state) { state_ = &state; }

  int Value(ScrollBar bar) const override { return values_[Index(bar)]; }
  void SetValue(ScrollBar bar, int value) override { values_[Index(bar)] = value; }
  int Min(ScrollBar bar) const override {
    return bar == ScrollBar::VScroll1 ? lever_.min : bar == ScrollBar::VScroll2 ? eccentric_.min : Speed().min;
  }
  int Max(ScrollBar bar) const override {
    return bar == ScrollBar::VScroll1 ? lever_.max : bar == ScrollBar::VScroll2 ? eccentric_.max : Speed().max;
  }
  // Frames are handed over whole between turns, so stopping here never tears one.
  bool Ending() const override { return done_ || stop_(); }
  void ShowTextPage() override {}
  void ShowCredit() override {}
  void SetFace(ModeButton, Colour) override {}
  float NextRandom() override { return 0.0f; }
  void Reseed() override {}
  void ClearSurface() override {}
  void EndProgram() override { done_ = true; }

  void FrameCompleted(const FrameReport& report) override {
    // Before the lever curve has been turned once, the contact search ran against an
    // untouched table: that frame shows no position the mechanism can take.
    if (!leverCurveWasTurned_ && !run_.allFrames) return;
    // A revolution counts once it has reported a frame: the first revolution head
    // may find the speed bar different from the start-up speed and start again.
    if (report.revolution != currentRevolution_) {
      currentRevolution_ = report.revolution;
      ++revolutionsReported_;
    }
    if (revolutionsReported_ > run_.revolutions || !take_(report)) done_ = true;
  }

  // Every frame gives its turns before the contact search, which reads the turned
  // lever curve: what the flag says now is what this frame's search will find.
  void GiveTurn(Turn) { leverCurveWasTurned_ = state_ != nullptr && state_->leverCurveTurned; }

 private:
  static int Index(ScrollBar bar) { return bar == ScrollBar::VScroll1 ? 0 : bar == ScrollBar::VScroll2 ? 1 : 2; }
  static const ControlDesign& Speed() { return ControlDesignNamed("HScroll1"); }

  WholeBarRange lever_;
  WholeBarRange eccentric_;
  int values_[3];
  FrameRun run_;
  const std::function<bool(const FrameReport&)>& take_;
  const std::function<bool()>& stop_;
  const AnimationState* state_ = nullptr;
  bool leverCurveWasTurned_ = false;
  long currentRevolution_ = 0;
  int revolutionsReported_ = 0;
  bool done_ = false;
};

}  // namespace

void RecordFrames(const MechanismPtr& mechanism, const FrameRun& run,
                  const std::function<bool(const FrameReport&)>& take, const std::function<bool()>& stop) {
  WindowVariables vars;
  NullCanvas canvas;
  FrameRecorder host(mechanism->GetDesign(), run, take, stop);
  Animation animation(vars, host, canvas);
  animation.MutableState().mechanism = mechanism;
  host.Watch(animation.State());
  animation.StartUp();
  animation.RunAtOnce([&](Turn turn) { host.GiveTurn(turn); });
}
