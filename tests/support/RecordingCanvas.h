#pragma once

#include <string>
#include <vector>

#include "animation/Canvas.h"

// A canvas that keeps every call, with the pen state in force when it was made,
// so a test can check what was drawn and in which order.
class RecordingCanvas final : public Canvas {
 public:
  enum class Op { Cls, PenColour, PenWidth, Line, Box, FilledBox, Circle, CircleInColour, Point };

  struct Call {
    Op op;
    double a = 0, b = 0, c = 0, d = 0;  // coordinates (x1, y1, x2, y2) or (x, y, r)
    Colour colour;                      // pen colour in force, or the explicit colour
    int width = 0;                      // pen width in force
  };

  std::vector<Call> calls;
  Colour penColour = colours::lightGrey;  // the window's initial pen
  int penWidth = 3;

  void Cls() override { calls.push_back({Op::Cls, 0, 0, 0, 0, penColour, penWidth}); }
  void SetPenColour(Colour colour) override {
    penColour = colour;
    calls.push_back({Op::PenColour, 0, 0, 0, 0, colour, penWidth});
  }
  void SetPenWidth(int pixels) override {
    penWidth = pixels;
    calls.push_back({Op::PenWidth, 0, 0, 0, 0, penColour, pixels});
  }
  void Line(double x1, double y1, double x2, double y2) override {
    calls.push_back({Op::Line, x1, y1, x2, y2, penColour, penWidth});
  }
  void Box(double x1, double y1, double x2, double y2) override {
    calls.push_back({Op::Box, x1, y1, x2, y2, penColour, penWidth});
  }
  void FilledBox(double x1, double y1, double x2, double y2) override {
    calls.push_back({Op::FilledBox, x1, y1, x2, y2, penColour, penWidth});
  }
  void Circle(double x, double y, double radius) override {
    calls.push_back({Op::Circle, x, y, radius, 0, penColour, penWidth});
  }
  void CircleInColour(double x, double y, double radius, Colour colour) override {
    calls.push_back({Op::CircleInColour, x, y, radius, 0, colour, penWidth});
  }
  void Point(double x, double y) override {
    calls.push_back({Op::Point, x, y, 0, 0, penColour, penWidth});
  }

  // The drawing calls only (no pen changes), in order.
  std::vector<Call> Shapes() const {
    std::vector<Call> shapes;
    for (const Call& call : calls) {
      if (call.op != Op::PenColour && call.op != Op::PenWidth) shapes.push_back(call);
    }
    return shapes;
  }

  void Clear() { calls.clear(); }
};
