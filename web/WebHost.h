#pragma once

#include "animation/Event.h"
#include "animation/FrontEnd.h"
#include "animation/RandomNumbers.h"
#include "animation/WindowVariables.h"
#include "raster/RasterCanvas.h"

// The model's front end on the browser page: the page's scroll bars, labels and
// button faces, the random numbers, the surface and the end of the program. The
// page's script resumes the loop (web/main.cpp) and hands over the person's events.
class WebHost final : public FrontEnd {
 public:
  WebHost(WindowVariables& vars, RasterCanvas& canvas);

  int Value(ScrollBar bar) const override;
  void SetValue(ScrollBar bar, int value) override;
  int Min(ScrollBar bar) const override;
  int Max(ScrollBar bar) const override;
  void ShowTextPage() override;
  void ShowCredit() override;
  void SetFace(ModeButton button, Colour face) override;
  float NextRandom() override;
  void Reseed() override;
  void ClearSurface() override;
  void EndProgram() override;
  bool Ending() const override { return ending_; }
  void FrameCompleted(const FrameReport& report) override;

  // An event from the page; a pointer position comes in client-area pixels.
  void Handle(EventKind kind, double x, double y);
  // Copies the parts of the surface drawn on since the last call to the page.
  void ShowDrawing();

 private:
  WindowVariables& vars_;
  RasterCanvas& canvas_;
  RandomNumbers random_;
  bool ending_ = false;
};
