// Ten thousand random user actions, seeded so that a failing run can be repeated,
// sent into the running animation: clicks anywhere, double-clicks on the buttons
// and scroll bars, drags and arrow clicks on the scroll bars, keys, pointer moves
// (also onto the red cross) and the three mode buttons. The program must neither
// crash nor hang nor end before it is told to, and every frame it completes must
// place the mechanism at finite coordinates.
#include <QElapsedTimer>
#include <QScrollBar>
#include <array>
#include <cmath>
#include <deque>
#include <random>
#include <string>

#include "RunningWindow.h"
#include "raster/RasterCanvas.h"

namespace {

constexpr int kUserActions = 10000;
constexpr unsigned kDefaultSeed = 20261208;

unsigned Seed() {
  bool given = false;
  const unsigned seed = qEnvironmentVariableIntValue("TORLIN_ROBUSTNESS_SEED", &given);
  return given ? seed : kDefaultSeed;
}

bool Finite(const FrameReport& f) {
  for (double v : {f.camAngle, f.rollerX, f.rollerY, f.X, f.Y, f.valveY}) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

}  // namespace

class RobustnessRun : public RunningWindow {
 protected:
  enum class Action { Click, DoubleClick, Drag, ArrowClick, Key, Move, MoveToCross, ModeButton, Count };

  RobustnessRun() : random_(Seed()) {}

  // One low-level input per turn; a drag spreads over several turns, as a hand's does.
  void NextInput() {
    if (pending_.empty()) {
      if (actionsStarted_ == kUserActions) {
        if (!quitSent_) Click(controls().Command2);
        quitSent_ = true;
        return;
      }
      ++actionsStarted_;
      StartAction(static_cast<Action>(Pick(static_cast<int>(Action::Count))));
    }
    const std::function<void()> input = std::move(pending_.front());
    pending_.pop_front();
    input();
  }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  QPoint Inside(const QRect& r) { return QPoint(Between(r.left() + 1, r.right() - 1), Between(r.top() + 1, r.bottom() - 1)); }
  QPoint Anywhere() { return Inside(window->rect()); }

  QScrollBar* AnyBar() {
    const std::array<QScrollBar*, 3> bars{controls().VScroll1, controls().VScroll2, controls().HScroll1};
    return bars[Pick(3)];
  }

  // Every control a double-click may land on without ending the program: not
  // "QUIT", not the labels.
  QWidget* AnyDoubleClickTarget() {
    const Controls& c = controls();
    const std::array<QWidget*, 7> targets{c.VScroll1, c.VScroll2, c.HScroll1, c.Command1,
                                          c.Command3, c.Command4, c.Command5};
    return targets[Pick(7)];
  }

  void StartAction(Action action) {
    QWindow* w = window->windowHandle();
    switch (action) {
      case Action::Click: {
        QPoint at = Anywhere();
        while (controls().Command2->geometry().contains(at)) at = Anywhere();  // "QUIT" ends the run
        pending_.push_back([this, at] { ClickAt(at); });
        break;
      }
      case Action::DoubleClick: {
        const QPoint at = Inside(AnyDoubleClickTarget()->geometry());
        pending_.push_back([w, at] { QTest::mouseDClick(w, Qt::LeftButton, {}, at); });
        break;
      }
      case Action::Drag: {
        const QRect bar = AnyBar()->geometry();
        const bool vertical = bar.height() > bar.width();
        pending_.push_back([w, at = Inside(bar)] { QTest::mousePress(w, Qt::LeftButton, {}, at); });
        const int moves = Between(1, 4);
        for (int i = 0; i < moves; ++i) {
          // Along the bar, sometimes past its ends, as a hand overshoots.
          QPoint to = Inside(bar);
          if (vertical) {
            to.setY(Between(std::max(0, bar.top() - 40), std::min(window->height() - 1, bar.bottom() + 40)));
          } else {
            to.setX(Between(std::max(0, bar.left() - 40), std::min(window->width() - 1, bar.right() + 40)));
          }
          pending_.push_back([w, to] { QTest::mouseMove(w, to); });
        }
        pending_.push_back([w, at = Inside(bar)] { QTest::mouseRelease(w, Qt::LeftButton, {}, at); });
        break;
      }
      case Action::ArrowClick: {
        const QRect bar = AnyBar()->geometry();
        const bool vertical = bar.height() > bar.width();
        const bool first = Pick(2) == 0;
        QPoint at = bar.center();
        if (vertical) {
          at.setY(first ? bar.top() + 3 : bar.bottom() - 3);
        } else {
          at.setX(first ? bar.left() + 3 : bar.right() - 3);
        }
        pending_.push_back([this, at] { ClickAt(at); });
        break;
      }
      case Action::Key: {
        static constexpr std::array<Qt::Key, 16> keys{
            Qt::Key_Left,  Qt::Key_Right, Qt::Key_Up,     Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
            Qt::Key_Home,  Qt::Key_End,   Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Space, Qt::Key_Return,
            Qt::Key_A,     Qt::Key_Q,     Qt::Key_0,      Qt::Key_F1};
        const Qt::Key key = keys[Pick(static_cast<int>(keys.size()))];
        pending_.push_back([this, key] {
          // Space presses the focused button; on "QUIT" that would end the run.
          const bool onQuit = QApplication::focusWidget() == controls().Command2;
          Press(onQuit && key == Qt::Key_Space ? Qt::Key_Tab : key);
        });
        break;
      }
      case Action::Move:
        pending_.push_back([this, at = Anywhere()] { MoveTo(at); });
        break;
      case Action::MoveToCross: {
        const QPoint at(734 + Between(-30, 30), 409 + Between(-30, 30));
        pending_.push_back([this, at] { MoveTo(at); });
        break;
      }
      case Action::ModeButton: {
        const std::array<QWidget*, 3> modes{controls().Command3, controls().Command4, controls().Command5};
        pending_.push_back([this, button = modes[Pick(3)]] { Click(button); });
        break;
      }
      case Action::Count:
        break;
    }
  }

  std::mt19937 random_;
  std::deque<std::function<void()>> pending_;
  int actionsStarted_ = 0;
  bool quitSent_ = false;
};

TEST_F(RobustnessRun, TenThousandRandomUserActionsLeaveTheAnimationSound) {
  SCOPED_TRACE("TORLIN_ROBUSTNESS_SEED=" + std::to_string(Seed()));
  long unsoundFrames = 0;
  long unsoundTurns = 0;
  onFrame = [&](const FrameReport& frame) { unsoundFrames += !Finite(frame); };
  // One input every turn until the run is over.
  everyTurn = [&] {
    const WindowVariables& v = window->Vars();
    unsoundTurns += !std::isfinite(v.X) || !std::isfinite(v.Y) || !std::isfinite(v.fff);
    NextInput();
  };

  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(Run(300000), 0);
  std::printf("[ robustness ] %d user actions, %ld turns, %ld frames in %lld ms\n", actionsStarted_, Turn(),
              framesCompleted, static_cast<long long>(clock.elapsed()));

  EXPECT_EQ(actionsStarted_, kUserActions) << "the program ended before it was told to";
  EXPECT_TRUE(quitSent_);
  EXPECT_GT(framesCompleted, 0);
  EXPECT_EQ(unsoundFrames, 0);
  EXPECT_EQ(unsoundTurns, 0);
  EXPECT_EQ(window->Surface().NonFiniteShapes(), 0) << "a shape was drawn at a coordinate that is not a number";
}
