#pragma once

#include <cstdint>

// A colour as red, green, blue.
struct Colour {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend constexpr bool operator==(Colour, Colour) = default;
};

namespace colours {
inline constexpr Colour white{255, 255, 255};
inline constexpr Colour red{255, 0, 0};
inline constexpr Colour green{0, 192, 0};
inline constexpr Colour darkBlue{0, 0, 192};
inline constexpr Colour blue{0, 0, 255};
inline constexpr Colour orange{255, 128, 0};
inline constexpr Colour grey{128, 128, 128};
inline constexpr Colour teal{0, 192, 192};
inline constexpr Colour silver{192, 192, 192};
inline constexpr Colour lightGrey{224, 224, 224};
inline constexpr Colour cyan{0, 255, 255};
inline constexpr Colour colourValue1{1, 0, 0};  // the cam hub's explicit colour
}  // namespace colours

// The drawing surface in window units (millimetres, y up). The pen state lives in
// the canvas, as on the real window: lines, boxes, circles and points use the
// current pen colour and width (width in pixels); circle radii are in horizontal
// window units. Drawing persists until overdrawn or cleared; drawing in white erases.
class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void Cls() = 0;  // clear to white
  virtual void SetPenColour(Colour colour) = 0;
  virtual void SetPenWidth(int pixels) = 0;
  virtual void Line(double x1, double y1, double x2, double y2) = 0;
  virtual void Box(double x1, double y1, double x2, double y2) = 0;
  virtual void FilledBox(double x1, double y1, double x2, double y2) = 0;
  virtual void Circle(double x, double y, double radius) = 0;
  // A circle in the given colour, whatever the pen colour; the pen is unchanged.
  virtual void CircleInColour(double x, double y, double radius, Colour colour) = 0;
  // A single pixel at pen width 1; a round dot of pen-width diameter otherwise.
  virtual void Point(double x, double y) = 0;
};
