#pragma once

// After the control shafts move, the erase pass must leave no trace of the old
// orange shaft arc or lever outline on the surface, except where the new frames
// draw over the same pixels again. One check for every kind of surface: Surface
// is made by makeSurface() and read by isWhite(surface, x, y).
#include <gtest/gtest.h>

#include <memory>

#include "animation/Animation.h"
#include "animation/FrameKinematics.h"
#include "animation/MechanismDrawing.h"
#include "support/ScriptedHost.h"
#include "support/TeeCanvas.h"

template <typename Surface, typename Make, typename IsWhite>
void ExpectNoOldPixelStays(int scroll1, int scroll2, int width, int height, Make makeSurface,
                           IsWhite isWhite) {
  WindowVariables vars;
  ScriptedHost host;
  TeeCanvas<Surface> canvas(makeSurface());
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
  RunScripted(animation, host);
  ASSERT_TRUE(last);
  ASSERT_EQ(host.frames.size(), kFramesBefore + 3);
  ASSERT_EQ(host.frames.back().revolution, 2);

  // The old parts alone, as the last frame drew them.
  Surface oldParts(makeSurface());
  const ShaftPose shafts = EraseKinematics(*last).shafts;
  DrawShaftArc(shafts, oldParts, colours::orange);
  DrawLeverOutline(shafts, last->constants, oldParts, colours::green);

  // Everything drawn from the new revolution's head on (its grey hub circle).
  const auto& calls = canvas.record.calls;
  const std::size_t head = LastRevolutionHead(calls);
  ASSERT_LT(head, calls.size());
  Surface drawnAgain(makeSurface());
  Replay(calls, head, drawnAgain);

  int oldPixels = 0, wiped = 0, stayed = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (isWhite(oldParts, x, y)) continue;
      ++oldPixels;
      if (isWhite(canvas.screen, x, y)) {
        ++wiped;
      } else if (isWhite(drawnAgain, x, y)) {
        ++stayed;
        ADD_FAILURE() << "old pixel stays at " << x << ", " << y;
        if (stayed > 5) return;
      }
    }
  }
  EXPECT_GT(oldPixels, 1000);
  EXPECT_GT(wiped, oldPixels / 2);
}
