#include "web/WebHost.h"

#include <emscripten.h>

#include <chrono>
#include <iterator>
#include <cstdint>
#include <string>
#include <vector>

#include "animation/PageTexts.h"
#include "raster/WindowUnits.h"

// The page's side of the host, in its script (page.js): TorlinPage.
// clang-format off
EM_JS(int, page_bar_value, (int bar), { return TorlinPage.bar(bar).value; });
EM_JS(void, page_set_bar_value, (int bar, int value), { TorlinPage.bar(bar).setValue(value); });
EM_JS(int, page_bar_min, (int bar), { return TorlinPage.bar(bar).min; });
EM_JS(int, page_bar_max, (int bar), { return TorlinPage.bar(bar).max; });
EM_JS(void, page_set_text, (const char* name, const char* text), {
  TorlinPage.setText(UTF8ToString(name), UTF8ToString(text));
});
EM_JS(void, page_set_face, (int button, int r, int g, int b), { TorlinPage.setFace(button, r, g, b); });
EM_JS(void, page_present, (const std::uint8_t* pixels, int width, int height, const int* rects, int count), {
  TorlinPage.present(HEAPU8.subarray(pixels, pixels + width * height * 4), width, height,
                     HEAP32.subarray(rects >> 2, (rects >> 2) + count * 4));
});
EM_JS(void, page_frame_completed, (const double* numbers, int count), {
  TorlinPage.frameCompleted(HEAPF64.subarray(numbers >> 3, (numbers >> 3) + count));
});
EM_JS(void, page_end, (), { TorlinPage.end(); });
// clang-format on

WebHost::WebHost(WindowVariables& vars, RasterCanvas& canvas) : vars_(vars), canvas_(canvas) {
  Reseed();
}

int WebHost::Value(ScrollBar bar) const { return page_bar_value(static_cast<int>(bar)); }
// The page's scroll bar keeps its value inside its range, whatever it is given.
void WebHost::SetValue(ScrollBar bar, int value) { page_set_bar_value(static_cast<int>(bar), value); }
int WebHost::Min(ScrollBar bar) const { return page_bar_min(static_cast<int>(bar)); }
int WebHost::Max(ScrollBar bar) const { return page_bar_max(static_cast<int>(bar)); }

void WebHost::ShowTextPage() {
  if (vars_.mes >= 0 && vars_.mes < page_texts::kPageCount) {
    page_set_text("Label2", page_texts::Page(vars_.mes).c_str());
  }
}

void WebHost::ShowCredit() { page_set_text("Label1", page_texts::Credit().c_str()); }

void WebHost::SetFace(ModeButton button, Colour face) {
  page_set_face(static_cast<int>(button), face.r, face.g, face.b);
}

void WebHost::ShowDrawing() {
  const std::vector<PixelRect> dirty = canvas_.TakeDirty();
  if (dirty.empty()) return;
  static_assert(sizeof(PixelRect) == 4 * sizeof(int));
  page_present(canvas_.Bytes(), canvas_.Width(), canvas_.Height(), &dirty.front().x,
               static_cast<int>(dirty.size()));
}

void WebHost::ClearSurface() {
  canvas_.Cls();
  ShowDrawing();
}

void WebHost::EndProgram() {
  if (ending_) return;
  ending_ = true;
  page_end();
}

void WebHost::FrameCompleted(const FrameReport& r) {
  // The frame's report, then how many shapes the surface has skipped for a coordinate
  // that is not a number: the layout the page learns from PageConstantsJson().
  const double numbers[] = {static_cast<double>(r.revolution), r.camAngle,
                              static_cast<double>(r.bestPitchIndex), static_cast<double>(r.bestLeverIndex),
                              r.rollerX, r.rollerY, r.X, r.Y, r.valveY,
                              static_cast<double>(canvas_.NonFiniteShapes())};
  page_frame_completed(numbers, static_cast<int>(std::size(numbers)));
}

void WebHost::Handle(EventKind kind, double x, double y) {
  if (ending_) return;
  Event event{kind};
  if (kind == EventKind::FormMouseMove) {
    event.x = static_cast<float>(window_units::FromPixelX(x));
    event.y = static_cast<float>(window_units::FromPixelY(y));
  } else if (kind == EventKind::FormKeyPress) {
    event.key = static_cast<int>(x);
  }
  Dispatch(event, vars_, *this);
}

float WebHost::NextRandom() { return random_.Next(); }

void WebHost::Reseed() {
  random_.Seed(static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}
