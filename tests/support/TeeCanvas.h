#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "support/RecordingCanvas.h"

// Draws on a real surface and keeps the calls as well.
template <typename Screen>
class TeeCanvas final : public Canvas {
 public:
  template <typename... Args>
  explicit TeeCanvas(Args&&... args) : screen(std::forward<Args>(args)...) {}

  Screen screen;
  RecordingCanvas record;

  void Cls() override { screen.Cls(), record.Cls(); }
  void SetPenColour(Colour c) override { screen.SetPenColour(c), record.SetPenColour(c); }
  void SetPenWidth(int w) override { screen.SetPenWidth(w), record.SetPenWidth(w); }
  void Line(double a, double b, double c, double d) override {
    screen.Line(a, b, c, d), record.Line(a, b, c, d);
  }
  void Box(double a, double b, double c, double d) override {
    screen.Box(a, b, c, d), record.Box(a, b, c, d);
  }
  void FilledBox(double a, double b, double c, double d) override {
    screen.FilledBox(a, b, c, d), record.FilledBox(a, b, c, d);
  }
  void Circle(double x, double y, double r) override { screen.Circle(x, y, r), record.Circle(x, y, r); }
  void CircleInColour(double x, double y, double r, Colour c) override {
    screen.CircleInColour(x, y, r, c), record.CircleInColour(x, y, r, c);
  }
  void Point(double x, double y) override { screen.Point(x, y), record.Point(x, y); }
};

// Draws recorded calls again, each in the pen it was made with.
inline void Replay(const std::vector<RecordingCanvas::Call>& calls, std::size_t from, Canvas& canvas) {
  using Op = RecordingCanvas::Op;
  for (std::size_t i = from; i < calls.size(); ++i) {
    const auto& c = calls[i];
    canvas.SetPenColour(c.colour);
    canvas.SetPenWidth(c.width);
    switch (c.op) {
      case Op::Line: canvas.Line(c.a, c.b, c.c, c.d); break;
      case Op::Box: canvas.Box(c.a, c.b, c.c, c.d); break;
      case Op::FilledBox: canvas.FilledBox(c.a, c.b, c.c, c.d); break;
      case Op::Circle: canvas.Circle(c.a, c.b, c.c); break;
      case Op::CircleInColour: canvas.CircleInColour(c.a, c.b, c.c, c.colour); break;
      case Op::Point: canvas.Point(c.a, c.b); break;
      case Op::Cls: canvas.Cls(); break;
      case Op::PenColour:
      case Op::PenWidth: break;
    }
  }
}

// The index of the last revolution head's grey hub circle among the calls, or
// calls.size() if there is none.
inline std::size_t LastRevolutionHead(const std::vector<RecordingCanvas::Call>& calls) {
  for (std::size_t i = calls.size(); i-- > 0;) {
    if (calls[i].op == RecordingCanvas::Op::Circle && calls[i].colour == colours::grey) return i;
  }
  return calls.size();
}
