#include <QApplication>

#include "app/CommandLine.h"
#include "app/DesktopIdentity.h"
#include "app/ScaledWindow.h"
#include "app/StartGuard.h"
#include "app/TorlinWindow.h"

namespace {

// For start-up tests run from outside: with TORLIN_END_AFTER_FRAMES=n the program
// ends by itself, with status 0, once the animation has drawn n frames. A start
// that ends with 0 has certainly reached its first frame, which a test could
// otherwise only learn by reading the screen.
void EndAfterFramesIfAsked(Torlin& window) {
  const int frames = qEnvironmentVariableIntValue("TORLIN_END_AFTER_FRAMES");
  if (frames <= 0) return;
  window.SetFrameObserver([&window, frames, drawn = 0](const FrameReport&) mutable {
    if (++drawn == frames) window.EndProgram();
  });
}

}  // namespace

int main(int argc, char** argv) {
  command_line::StartBars bars;
  if (const auto status = command_line::Read(argc, argv, bars)) return *status;

  StartGuard guard(argc, argv);
  QApplication app(argc, argv);
  guard.Release();
  PresentToTheDesktop();

  Torlin window;
  command_line::SetStartBars(window, bars);
  EndAfterFramesIfAsked(window);
  const auto scaled = ShowFitted(window);
  return app.exec();
}
