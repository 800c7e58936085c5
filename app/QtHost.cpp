#include "app/QtHost.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QScrollBar>
#include <QTimer>
#include <chrono>

#include "app/TorlinWindow.h"

QtHost::QtHost(Torlin& window) : window_(window) { clock_.start(); }

QtHost::~QtHost() = default;

QScrollBar& QtHost::Bar(ScrollBar bar) const {
  const Controls& c = window_.Widgets();
  switch (bar) {
    case ScrollBar::VScroll1: return *c.VScroll1;
    case ScrollBar::VScroll2: return *c.VScroll2;
    case ScrollBar::HScroll1: break;
  }
  return *c.HScroll1;
}

int QtHost::Value(ScrollBar bar) const { return Bar(bar).value(); }
// The scroll bar keeps its value inside its range, whatever it is given.
void QtHost::SetValue(ScrollBar bar, int value) { Bar(bar).setValue(value); }
int QtHost::Min(ScrollBar bar) const { return Bar(bar).minimum(); }
int QtHost::Max(ScrollBar bar) const { return Bar(bar).maximum(); }

bool QtHost::Ending() const { return window_.Ending(); }
void QtHost::ShowTextPage() { window_.ShowTextPage(); }
void QtHost::ShowCredit() { window_.ShowCredit(); }

void QtHost::FrameCompleted(const FrameReport& report) {
  if (frameObserver_) frameObserver_(report);
}

void QtHost::GiveTurn(Turn kind) {
  ++turns_;
  window_.ShowDrawing();
  if (observer_) observer_();
  if (Ending()) return;
  if (unpaced_ || kind == Turn::Plain) {
    QCoreApplication::processEvents();
  } else if (kind == Turn::FramePacing) {
    WaitForFrameDeadline();
  } else {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
}

void QtHost::WaitForFrameDeadline() {
  const std::int64_t now = clock_.nsecsElapsed();
  const std::int64_t deadline = deadline_.Next(now);
  if (deadline > now) {
    WaitFor(deadline - now);
  } else {
    QCoreApplication::processEvents();
  }
}

void QtHost::WaitFor(std::int64_t nanoseconds) {
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  timer.start(std::chrono::milliseconds((nanoseconds + 999'999) / 1'000'000));
  waiting_ = &loop;
  loop.exec();
  waiting_ = nullptr;
}

void QtHost::WakeUp() {
  if (waiting_) waiting_->quit();
}

float QtHost::NextRandom() { return random_.Next(); }

void QtHost::Reseed() {
  random_.Seed(seedSource_ ? seedSource_()
                          : static_cast<std::uint64_t>(
                                std::chrono::system_clock::now().time_since_epoch().count()));
}
