#pragma once

#include <QGraphicsView>
#include <memory>

class QGraphicsProxyWidget;
class Torlin;

// Presents the whole window, drawing surface and controls together, smaller by one
// factor, for a screen too small for its designed size. The window inside keeps
// its designed size in every respect: it draws its picture at the designed pixel
// size and lays out its controls as always; only what reaches the screen is
// scaled, and the pointer's positions are scaled back before the window sees them.
class ScaledWindow final : public QGraphicsView {
  Q_OBJECT

 public:
  // The window must not be shown yet; it stays owned by the caller.
  ScaledWindow(Torlin& window, double scale);
  ~ScaledWindow() override;

  double Scale() const { return scale_; }
  // Presents the window at another factor.
  void SetScale(double scale);
  // Fits the window to its screen's available area again, with the real frame
  // once the desktop has framed it (it may be larger or smaller than expected).
  void FitToScreen();

  // From a point of this view's area (its pixels) to the window's own pixels.
  QPointF ToWindow(QPointF viewPoint) const;
  QPointF FromWindow(QPointF windowPoint) const;

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Moves the focus to the window's next (or previous) control in tab order.
  void StepFocus(bool forward);

  Torlin& window_;
  QGraphicsProxyWidget* proxy_;
  double scale_ = 1.0;
};

// Shows the window as designed when it fits the screen's available area with its
// frame, and otherwise scaled down to fit. Returns the scaled presentation, if any.
std::unique_ptr<ScaledWindow> ShowFitted(Torlin& window);
