#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "animation/Event.h"
#include "animation/FrontEnd.h"
#include "animation/RandomNumbers.h"
#include "animation/WindowVariables.h"
#include "app/ClickTracker.h"
#include "app/Controls.h"
#include "app/LoopResumer.h"

class Animation;
class QScrollBar;
class RasterCanvas;

// The program's one window: the drawing surface of the animation, the ten
// controls and the twelve window-level variables; the model's front end. Its
// toolkit events become the shared events, handled by the shared rules (Dispatch).
// On its first activation it starts the animation and from then on resumes the
// loop from its own event loop at every turn the loop yields.
class Torlin final : public QWidget, public FrontEnd {
  Q_OBJECT

 public:
  enum class Animate { OnFirstActivation, Never };

  // quitApplication asks the event loop to end the program; by default it makes
  // the application exit with status 0.
  explicit Torlin(Animate animate = Animate::OnFirstActivation,
                  std::function<void()> quitApplication = {});
  ~Torlin() override;

  WindowVariables& Vars() { return vars_; }
  const Controls& Widgets() const { return controls_; }
  RasterCanvas& Surface() { return *canvas_; }
  LoopResumer& Resumer() { return resumer_; }

  // Schedules a repaint of what was drawn on the surface since the last call.
  void ShowDrawing();

  // The front end of the model.
  int Value(ScrollBar bar) const override;
  void SetValue(ScrollBar bar, int value) override;
  int Min(ScrollBar bar) const override;
  int Max(ScrollBar bar) const override;
  void ShowTextPage() override;
  void ShowCredit() override;
  void SetFace(ModeButton button, Colour face) override;
  float NextRandom() override { return random_.Next(); }
  void Reseed() override;
  void ClearSurface() override;
  // Every way of ending the program comes here.
  void EndProgram() override;
  bool Ending() const override { return ending_; }
  void FrameCompleted(const FrameReport& report) override;

  // Every event of the window and its controls comes here (the key press of the
  // window and of every button and scroll bar: a window-wide shortcut brings Escape
  // here whichever of them has the focus).
  void Handle(const Event& event);

  // The activation handler: the start-up, then the loop, resumed from the event loop.
  void Form_Activate();

  // For tests: a function told what every completed frame found, and where Reseed
  // takes its seed instead of the clock, so that a random change repeats.
  void SetFrameObserver(std::function<void(const FrameReport&)> observer) {
    frameObserver_ = std::move(observer);
  }
  void SetSeedSource(std::function<std::uint64_t()> source) { seedSource_ = std::move(source); }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ConnectHandlers();
  QScrollBar& Bar(ScrollBar bar) const;

  WindowVariables vars_;
  Controls controls_;
  std::unique_ptr<RasterCanvas> canvas_;
  RandomNumbers random_;
  std::function<std::uint64_t()> seedSource_;
  std::function<void(const FrameReport&)> frameObserver_;
  std::unique_ptr<Animation> animation_;
  LoopResumer resumer_{[this] { ShowDrawing(); }, [this] { return ending_; }};
  std::function<void()> quitApplication_;
  Animate animate_;
  ClickTracker clicks_;
  bool activated_ = false;
  bool ending_ = false;
};
