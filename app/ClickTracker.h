#pragma once

#include <QMouseEvent>
#include <QRect>

// Turns mouse events into clicks: a left press and a left release inside the same
// surface. A real double-click arrives as press, release, double-click, release;
// the double-click cancels the pending press, so the last release is no click.
class ClickTracker {
 public:
  void Press(const QMouseEvent& event) { pressed_ = event.button() == Qt::LeftButton; }

  // True when this release completes a click on the surface of the given size.
  bool Release(const QMouseEvent& event, const QRect& surface) {
    const bool click = pressed_ && event.button() == Qt::LeftButton &&
                       surface.contains(event.position().toPoint());
    pressed_ = false;
    return click;
  }

  // True when the event is a left double-click.
  bool DoubleClick(const QMouseEvent& event) {
    pressed_ = false;
    return event.button() == Qt::LeftButton;
  }

 private:
  bool pressed_ = false;
};
