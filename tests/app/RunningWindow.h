#pragma once

// The real window with its animation running unpaced: user input is sent from
// inside the running loop, either at a given turn (script) or as a sequence of
// steps, each taken once enough turns or revolutions have passed since the step
// before it. The run lasts until the program ends.
#include <QTimer>
#include <deque>
#include <functional>
#include <map>

#include "WindowFixture.h"

class RunningWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<Torlin>();
    window->Resumer().SetUnpaced(true);
    window->Resumer().SetTurnObserver([this] { OnTurn(); });
    window->SetFrameObserver([this](const FrameReport& frame) {
      lastFrame = frame;
      ++framesCompleted;
      // The last frame of a revolution: the next step would pass 359 degrees.
      if (frame.camAngle + window->Vars().steep > 359) ++revolutionsCompleted;
      if (onFrame) onFrame(frame);
    });
  }

  // Runs the application until the program ends and returns its exit status. A
  // watchdog ends a run that takes longer than the limit, and the test fails.
  int Run(int limitMs = 120000) {
    window->show();
    window->activateWindow();
    bool timedOut = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
      timedOut = true;
      window->EndProgram();
    });
    watchdog.start(limitMs);
    const int status = QApplication::exec();
    EXPECT_FALSE(timedOut) << "the run did not end within " << limitMs << " ms";
    return status;
  }

  // Takes action once `turns` turns have been given and `revolutions` revolutions
  // have been completed since the previous step was taken (or since the run started).
  void Then(long turns, long revolutions, std::function<void()> action) {
    steps.push_back(Step{turns, revolutions, std::move(action)});
  }
  void AfterTurns(long turns, std::function<void()> action) { Then(turns, 0, std::move(action)); }
  void AfterRevolutions(long revolutions, std::function<void()> action) {
    Then(0, revolutions, std::move(action));
  }

  // User input, sent through the window as the platform would deliver it.
  void Click(QWidget* control) { ClickAt(control->geometry().center()); }
  void ClickAt(QPoint pixel) { QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, pixel); }
  void MoveTo(QPoint pixel) { QTest::mouseMove(window->windowHandle(), pixel); }
  void Press(Qt::Key key) { QTest::keyClick(window->windowHandle(), key); }

  const Controls& controls() const { return window->Widgets(); }
  long Turn() const { return window->Resumer().Turns(); }

  std::unique_ptr<Torlin> window;
  std::map<long, std::function<void()>> script;  // by turn number, counted from 1
  std::function<void()> everyTurn;  // runs first at every turn
  std::function<void(const FrameReport&)> onFrame;
  FrameReport lastFrame;
  long framesCompleted = 0;
  long revolutionsCompleted = 0;  // revolutions whose frames all ran, up to 359 degrees

 private:
  struct Step {
    long turns;
    long revolutions;
    std::function<void()> action;
  };

  void OnTurn() {
    if (everyTurn) everyTurn();
    if (auto step = script.find(Turn()); step != script.end()) step->second();
    if (steps.empty()) return;
    const Step& next = steps.front();
    if (Turn() - sinceTurn_ < next.turns || revolutionsCompleted - sinceRevolution_ < next.revolutions) return;
    const std::function<void()> action = next.action;  // outlives the step it came from
    steps.pop_front();
    sinceTurn_ = Turn();
    sinceRevolution_ = revolutionsCompleted;
    action();
  }

  std::deque<Step> steps;
  long sinceTurn_ = 0;
  long sinceRevolution_ = 0;
};
