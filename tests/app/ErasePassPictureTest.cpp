// After the control shafts move, the erase pass must leave no trace of the old
// orange shaft arc or lever outline on the window, except where the new frames draw
// over the same pixels again.
#include <gtest/gtest.h>

#include <QImage>
#include <memory>

#include "animation/Animation.h"
#include "animation/MechanismDrawing.h"
#include "app/ImageCanvas.h"
#include "app/WindowUnits.h"
#include "support/RecordingCanvas.h"
#include "support/ScriptedHost.h"

namespace {

const QSize kClient(window_units::kClientWidth, window_units::kClientHeight);
const QRgb kWhite = qRgb(255, 255, 255);

// Draws on the window's image and keeps the calls as well.
class TeeCanvas final : public Canvas {
 public:
  ImageCanvas screen{kClient};
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
void Replay(const std::vector<RecordingCanvas::Call>& calls, std::size_t from, Canvas& canvas) {
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

void ExpectNoOldPixelStays(int scroll1, int scroll2) {
  WindowVariables vars;
  ScriptedHost host;
  TeeCanvas canvas;
  Animation animation(vars, host, canvas);
  animation.StartUp();

  constexpr long kFramesBefore = 5;
  std::unique_ptr<AnimationState> last;  // the state as the last frame before the move left it
  host.onFrame = [&](const FrameReport&) {
    if (host.frames.size() == kFramesBefore) last = std::make_unique<AnimationState>(animation.State());
    if (host.frames.size() == kFramesBefore + 3) host.End();
  };
  host.script[2 * (kFramesBefore + 1) - 1] = [&](ScriptedHost& h) {
    h.vscroll1.value = scroll1;
    h.vscroll2.value = scroll2;
  };
  animation.Run();
  ASSERT_TRUE(last);
  ASSERT_EQ(host.frames.size(), kFramesBefore + 3);
  ASSERT_EQ(host.frames.back().revolution, 2);

  // The old parts alone, as the last frame drew them.
  ImageCanvas oldParts(kClient);
  DrawShaftArc(*last, oldParts, colours::orange);
  DrawLeverOutline(*last, oldParts, colours::green);

  // Everything drawn from the new revolution's head on (its grey hub circle).
  const auto& calls = canvas.record.calls;
  std::size_t head = calls.size();
  for (std::size_t i = calls.size(); i-- > 0;) {
    if (calls[i].op == RecordingCanvas::Op::Circle && calls[i].colour == colours::grey) {
      head = i;
      break;
    }
  }
  ASSERT_LT(head, calls.size());
  ImageCanvas drawnAgain(kClient);
  Replay(calls, head, drawnAgain);

  const QImage& old = oldParts.Image();
  const QImage& screen = canvas.screen.Image();
  const QImage& again = drawnAgain.Image();
  int oldPixels = 0, wiped = 0, stayed = 0;
  for (int y = 0; y < old.height(); ++y) {
    for (int x = 0; x < old.width(); ++x) {
      if (old.pixel(x, y) == kWhite) continue;
      ++oldPixels;
      if (screen.pixel(x, y) == kWhite) {
        ++wiped;
      } else if (again.pixel(x, y) == kWhite) {
        ++stayed;
        ADD_FAILURE() << "old pixel stays at " << x << ", " << y;
        if (stayed > 5) return;
      }
    }
  }
  EXPECT_GT(oldPixels, 1000);
  EXPECT_GT(wiped, oldPixels / 2);
}

TEST(ErasePassPicture, NoPixelOfTheOldShaftArcOrLeverOutlineStays) {
  ExpectNoOldPixelStays(20, 500);
  ExpectNoOldPixelStays(115, -95);
  ExpectNoOldPixelStays(0, 700);
}

}  // namespace
