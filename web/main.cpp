// The browser edition: the window's controls laid out on the page, then the same
// start-up and animation loop as the desktop, drawing into a raster canvas that
// the page shows. main() starts up and returns; from then on the page's script
// resumes the loop at the turns it yields (torlin_resume) and hands over the
// person's events between them (torlin_event).
#include <emscripten.h>

#include <cstdint>

#include "animation/Animation.h"
#include "animation/FrameDeadline.h"
#include "animation/ControlDesign.h"
#include "animation/PageTexts.h"
#include "raster/RasterCanvas.h"
#include "raster/WindowUnits.h"
#include "web/PageConstants.h"
#include "web/WebHost.h"

// clang-format off
EM_JS(double, page_device_pixel_ratio, (), { return TorlinPage.devicePixelRatio(); });
EM_JS(void, page_set_title, (const char* title), { document.title = UTF8ToString(title); });
EM_JS(void, page_share, (const char* constants), { TorlinPage.share(JSON.parse(UTF8ToString(constants))); });
EM_JS(void, page_start, (), { TorlinPage.start(); });
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

// Everything the page's program holds from start-up to the end.
struct Program {
  WindowVariables vars;
  RasterCanvas canvas{window_units::kClientWidth, window_units::kClientHeight, page_device_pixel_ratio()};
  WebHost host{vars, canvas};
  Animation animation{vars, host, canvas};
  LoopCoroutine loop;
  FrameDeadline deadline;
  double deadlineMs = 0;
  bool finished = false;

  // The program has ended: nothing of the mechanism stays on the page.
  void Finish() {
    if (finished) return;
    finished = true;
    loop = LoopCoroutine();
    canvas.Cls();
    host.ShowDrawing();
  }
};

Program* program = nullptr;

}  // namespace

// Runs the loop to its next turn and returns the turn's number, or -1 once the
// program has ended. Shows what was drawn before returning.
extern "C" EMSCRIPTEN_KEEPALIVE int torlin_resume() {
  if (!program || program->finished) return -1;
  Program& p = *program;
  if (!p.host.Ending()) {
    const Turn turn = p.loop.Resume();
    p.host.ShowDrawing();
    if (!p.loop.Done() && !p.host.Ending()) {
      if (turn == Turn::FramePacing) {
        const double nowMs = emscripten_get_now();
        p.deadlineMs = static_cast<double>(p.deadline.Next(static_cast<std::int64_t>(nowMs * 1e6))) / 1e6;
      }
      return static_cast<int>(turn);
    }
  }
  p.Finish();
  return -1;
}

// The deadline of the last pacing turn, in ms on the page's clock.
extern "C" EMSCRIPTEN_KEEPALIVE double torlin_deadline() { return program ? program->deadlineMs : 0; }

// One event of the person's, by its number (a pointer position in client-area
// pixels, a key's code in x). Returns 0 once the program has ended.
extern "C" EMSCRIPTEN_KEEPALIVE int torlin_event(int kind, double x, double y) {
  if (!program || program->finished) return 0;
  program->host.Handle(static_cast<EventKind>(kind), x, y);
  if (!program->host.Ending()) return 1;
  program->Finish();
  return 0;
}

int main() {
  page_share(PageConstantsJson().c_str());
  page_set_title(page_texts::Caption().c_str());
  LayOutControls();
  program = new Program;  // lives as long as the page
  program->animation.StartUp();
  program->host.ShowDrawing();
  program->loop = program->animation.Loop();
  page_start();
  return 0;
}
