#pragma once

#include "animation/Canvas.h"

// The five kinds of shape a canvas draws, for tests that draw many of each.
enum class Shape { Line, Point, Circle, Box, FilledBox };

inline constexpr Shape kEveryShape[] = {Shape::Line, Shape::Point, Shape::Circle, Shape::Box,
                                        Shape::FilledBox};

// Draws one shape from four numbers (x1, y1, x2, y2); a circle is centred on the
// first point with a quarter of the third number as radius.
inline void Draw(Canvas& canvas, Shape shape, const double* v) {
  switch (shape) {
    case Shape::Line: canvas.Line(v[0], v[1], v[2], v[3]); break;
    case Shape::Point: canvas.Point(v[0], v[1]); break;
    case Shape::Circle: canvas.Circle(v[0], v[1], v[2] / 4); break;
    case Shape::Box: canvas.Box(v[0], v[1], v[2], v[3]); break;
    case Shape::FilledBox: canvas.FilledBox(v[0], v[1], v[2], v[3]); break;
  }
}
