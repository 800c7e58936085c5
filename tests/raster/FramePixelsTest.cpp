// The pixels both front ends present, pinned: the animation runs for a number of
// frames at a few settings on the raster canvas, and every frame's dirty tiles
// (their places and their pixels, as a front end presents them) and the whole
// image at the end are folded into one hash. Any change to what is drawn, where,
// in which order or in which colour, and any change to which tiles are reported,
// changes the hash. If a drawing change is meant, pin the hashes the failure prints.
// Pixels are hashed red first whatever order the canvas keeps them in, so that the
// desktop's blue-first canvas must give the page's hashes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

#include "animation/Animation.h"
#include "raster/RasterCanvas.h"
#include "raster/WindowUnits.h"
#include "support/ScriptedHost.h"

namespace {

struct Setting {
  const char* name;
  double ratio;  // device pixels per logical pixel
  PixelOrder order;
  int lever, eccentric, speed;
  long frames;
  int aut1, rad1;                // the sweep of the lever shaft, the random change
  long dragAtFrame;              // 0: none; else the eccentric shaft is dragged then
  std::uint64_t pinned;
};

// FNV-1a, 64 bits, one pixel word at a time.
class Fnv {
 public:
  void Add(std::uint32_t word) {
    hash_ ^= word;
    hash_ *= 0x100000001b3ull;
  }
  std::uint64_t Value() const { return hash_; }

 private:
  std::uint64_t hash_ = 0xcbf29ce484222325ull;
};

void AddPixels(Fnv& fnv, const RasterCanvas& canvas, const PixelRect& r) {
  fnv.Add(static_cast<std::uint32_t>(r.x));
  fnv.Add(static_cast<std::uint32_t>(r.y));
  fnv.Add(static_cast<std::uint32_t>(r.width));
  fnv.Add(static_cast<std::uint32_t>(r.height));
  const auto* pixels = reinterpret_cast<const std::uint32_t*>(canvas.Bytes());
  const bool swap = canvas.Order() == PixelOrder::BlueFirst;
  for (int y = r.y; y < r.y + r.height; ++y) {
    for (int x = r.x; x < r.x + r.width; ++x) {
      const std::uint32_t word = pixels[static_cast<std::size_t>(y) * canvas.Width() + x];
      fnv.Add(swap ? (word & 0xFF00FF00u) | (word >> 16 & 0xFFu) | (word & 0xFFu) << 16 : word);
    }
  }
}

std::uint64_t HashOfRun(const Setting& s) {
  WindowVariables vars;
  ScriptedHost host;
  host.vscroll1.value = s.lever;
  host.vscroll2.value = s.eccentric;
  host.hscroll1.value = s.speed;
  for (int i = 0; i < 64; ++i) host.randomNumbers.push_back(static_cast<float>((i * 37 % 64) / 64.0));
  RasterCanvas canvas(window_units::kClientWidth, window_units::kClientHeight, s.ratio, s.order);
  Animation animation(vars, host, canvas);
  animation.StartUp();
  vars.aut1 = s.aut1;
  vars.rad1 = s.rad1;

  Fnv fnv;
  host.onFrame = [&](const FrameReport&) {
    for (const PixelRect& r : canvas.TakeDirty()) AddPixels(fnv, canvas, r);
    const long frame = static_cast<long>(host.frames.size());
    if (frame == s.dragAtFrame) host.vscroll2.value = host.vscroll2.max - s.eccentric / 2;
    if (frame >= s.frames) host.End();
  };
  RunScripted(animation, host);
  EXPECT_EQ(static_cast<long>(host.frames.size()), s.frames) << s.name;
  EXPECT_EQ(canvas.NonFiniteShapes(), 0) << s.name;
  // The settings do what they are there for: the sweep moved the lever shaft, the
  // random change drew its numbers.
  EXPECT_TRUE(!s.aut1 || host.vscroll1.value != s.lever) << s.name;
  EXPECT_TRUE(!s.rad1 || host.randomDraws > 0) << s.name;
  AddPixels(fnv, canvas, {0, 0, canvas.Width(), canvas.Height()});
  return fnv.Value();
}

}  // namespace

TEST(FramePixels, EveryPresentedTileOfTheFirstFramesIsPinned) {
  const Setting settings[] = {
      {"defaults", 1.0, PixelOrder::RedFirst, 60, 200, 400, 200, 0, 0, 0, 0x85c9688d68f27f32ull},
      {"defaults, blue first as on the desktop", 1.0, PixelOrder::BlueFirst, 60, 200, 400, 200, 0, 0, 0,
       0x85c9688d68f27f32ull},
      {"lever sweep, fast, 1.5 device pixels", 1.5, PixelOrder::BlueFirst, 20, -95, 1000, 150, 1, 0, 0,
       0x4e554542f64f6999ull},
      {"random change and a drag, 2 device pixels", 2.0, PixelOrder::RedFirst, 0, 700, 250, 120, 0, 1, 60,
       0x1e1a517a522bf375ull},
  };
  for (const Setting& s : settings) {
    const std::uint64_t hash = HashOfRun(s);
    EXPECT_EQ(hash, s.pinned) << s.name << ": the pixels changed; if that is meant, pin 0x" << std::hex << hash;
  }
}
