#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "animation/FrontEnd.h"
#include "animation/Handlers.h"
#include "animation/WindowVariables.h"
#include "app/ClickTracker.h"
#include "app/Controls.h"

class Animation;
class RasterCanvas;
class QtHost;

// The program's one window: the drawing surface of the animation, the ten
// controls, the twelve window-level variables and the event handlers that change
// them. On its first activation it runs the animation, which returns only when the
// program ends. The handlers' rules are shared with every front end; the window is
// their front end here.
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
  QtHost& AnimationHost() { return *host_; }
  bool Ending() const { return ending_; }

  // Schedules a repaint of what was drawn on the surface since the last call.
  void ShowDrawing();
  void ShowTextPage() override;
  void ShowCredit();

  // Every way of ending the program comes here.
  void EndProgram() override;

  void SetFace(ModeButton button, Colour face) override;
  void Reseed() override;
  void ClearSurface() override;

  // The event handlers.
  void Form_Activate();
  void Form_Click();
  void Form_DblClick();
  void Form_MouseMove(float x, float y);
  // The key-press handler of the window and of every button and scroll bar: a
  // window-wide shortcut brings Escape here whichever of them has the focus.
  void Form_KeyPress(int keyAscii);
  void Label1_DblClick();
  void Label2_Click();
  void Label2_DblClick();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();

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

  WindowVariables vars_;
  Handlers handlers_{vars_, *this};
  Controls controls_;
  std::unique_ptr<RasterCanvas> canvas_;
  std::unique_ptr<QtHost> host_;
  std::unique_ptr<Animation> animation_;
  std::function<void()> quitApplication_;
  Animate animate_;
  ClickTracker clicks_;
  bool activated_ = false;
  bool ending_ = false;
};
