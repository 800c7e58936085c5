// The browser edition: the window's controls laid out on the page, then the same
// start-up and animation loop as the desktop, drawing into a raster canvas that
// the page shows.
#include <emscripten.h>

#include "animation/Animation.h"
#include "animation/ControlDesign.h"
#include "animation/PageTexts.h"
#include "raster/RasterCanvas.h"
#include "raster/WindowUnits.h"
#include "web/WebHost.h"

// clang-format off
EM_JS(double, page_device_pixel_ratio, (), { return TorlinPage.devicePixelRatio(); });
EM_JS(void, page_set_title, (const char* title), { document.title = UTF8ToString(title); });
EM_JS(void, page_add_control, (const char* name, int kind, const char* caption, int left, int top,
                               int width, int height, double pointSize, int background,
                               int foreground, int min, int max, int value, int arrowStep,
                               int pageStep, const char* accessibleName, const char* description,
                               const char* tip), {
  TorlinPage.addControl({name: UTF8ToString(name), kind, caption: UTF8ToString(caption), left, top,
                         width, height, pointSize, background, foreground, min, max, value,
                         arrowStep, pageStep, accessibleName: UTF8ToString(accessibleName),
                         description: UTF8ToString(description), tip: tip ? UTF8ToString(tip) : ""});
});
// clang-format on

namespace {

int Rgb(Colour c) { return c.r << 16 | c.g << 8 | c.b; }

void LayOutControls() {
  using window_units::TwipsToPixels;
  for (const ControlDesign& d : ControlDesigns()) {
    page_add_control(d.name, static_cast<int>(d.kind), d.caption, TwipsToPixels(d.place.left),
                     TwipsToPixels(d.place.top), TwipsToPixels(d.place.width),
                     TwipsToPixels(d.place.height), d.pointSize, Rgb(d.background), Rgb(d.foreground),
                     d.min, d.max, d.value, d.arrowStep, d.pageStep, d.accessibleName, d.description,
                     d.tip);
  }
}

}  // namespace

int main() {
  page_set_title(page_texts::Caption().c_str());
  LayOutControls();

  WindowVariables vars;
  RasterCanvas canvas(window_units::kClientWidth, window_units::kClientHeight, page_device_pixel_ratio());
  WebHost host(vars, canvas);
  Animation animation(vars, host, canvas);
  animation.StartUp();
  host.ShowDrawing();
  if (!host.Ending()) animation.Run();

  // The program has ended: nothing of the mechanism stays on the page.
  canvas.Cls();
  host.ShowDrawing();
  return 0;
}
