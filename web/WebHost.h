#pragma once


#include "animation/FrameDeadline.h"
#include "animation/FrontEnd.h"
#include "animation/Handlers.h"
#include "animation/Host.h"
#include "animation/RandomNumbers.h"
#include "animation/WindowVariables.h"
#include "raster/RasterCanvas.h"

// The animation's view of the browser page: the page's scroll bars, event-loop
// turns that give the browser its turn, the labels, the button faces, the end of
// the program and the random numbers. The page queues what the person does; every
// turn hands the queued events to the shared handlers.
//
// Turns: a plain turn yields to the browser once and returns; a frame-pacing turn
// waits for the next animation frame at or after the frame's deadline (1/60 s
// after the previous one), or for the deadline itself when the browser draws no
// frame in time; a paused turn sleeps until the page has an event. Each turn first
// shows what was drawn since the last one.
class WebHost final : public Host, public FrontEnd {
 public:
  WebHost(WindowVariables& vars, RasterCanvas& canvas);

  int Value(ScrollBar bar) const override;
  void SetValue(ScrollBar bar, int value) override;
  int Min(ScrollBar bar) const override;
  int Max(ScrollBar bar) const override;
  void GiveTurn(Turn kind) override;
  bool Ending() const override { return ending_; }
  void ShowTextPage() override;
  void ShowCredit() override;
  float NextRandom() override;
  void FrameCompleted(const FrameReport& report) override;

  void SetFace(ModeButton button, Colour face) override;
  void Reseed() override;
  void ClearSurface() override;
  void EndProgram() override;

  // Copies the parts of the surface drawn on since the last call to the page.
  void ShowDrawing();

 private:
  void HandlePendingEvents();

  WindowVariables& vars_;
  RasterCanvas& canvas_;
  Handlers handlers_;
  FrameDeadline deadline_;
  RandomNumbers random_;
  bool ending_ = false;
};
