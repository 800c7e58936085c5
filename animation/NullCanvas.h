#pragma once

#include "animation/Canvas.h"

// Draws nothing: for the headless tools and the benchmarks.
class NullCanvas final : public Canvas {
 public:
  void Cls() override {}
  void SetPenColour(Colour) override {}
  void SetPenWidth(int) override {}
  void Line(double, double, double, double) override {}
  void Box(double, double, double, double) override {}
  void FilledBox(double, double, double, double) override {}
  void Circle(double, double, double) override {}
  void CircleInColour(double, double, double, Colour) override {}
  void Point(double, double) override {}
};
