// Torlin as a person uses it: the running window driven by clicks, key presses and
// pointer moves only, judged by what it shows (the plot's red traces, the turning
// cam, the button faces, the scroll bars and the text label).
#include <QImage>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>
#include <cstdint>
#include <set>

#include "RunningWindow.h"
#include "app/RasterImage.h"
#include "app/TextPages.h"

namespace {

const QColor kCyan(0, 255, 255);
const QColor kLightGrey(224, 224, 224);
constexpr QRgb kRed = 0xffff0000;

// A rectangle given in window units, as whole pixels of the client area.
QRect PixelRect(double left, double top, double right, double bottom) {
  return QRect(QPoint(static_cast<int>(window_units::ToPixelX(left)), static_cast<int>(window_units::ToPixelY(top))),
               QPoint(static_cast<int>(window_units::ToPixelX(right)), static_cast<int>(window_units::ToPixelY(bottom))));
}

// The part of the lift plot that only the traces and the grid share: below the
// text label, left of the mechanism, down to the window's bottom edge. A trace
// runs through every column of it.
const QRect kPlot = PixelRect(-122, 4, -26, -46.1);
// Most of the turning cam's outline, clear of every control.
const QRect kCam = PixelRect(-18, 73, 24, 32);
// The red cross at the window origin.
const QPoint kRedCross(734, 409);
// Columns of the plot where the valve stands open at the start settings.
constexpr double kOpenFrom = 60;  // cam degrees
constexpr double kOpenTo = 110;

int ColumnAt(double camDegrees) { return static_cast<int>(window_units::ToPixelX(-125 + 0.7 * camDegrees)); }

// The runs of red pixels down one column of the plot: one per trace crossing it,
// traces that touch counting once.
int TracesCrossing(const QImage& shown, int column) {
  int runs = 0;
  bool inRun = false;
  for (int row = kPlot.top(); row <= kPlot.bottom(); ++row) {
    const bool red = shown.pixel(column, row) == kRed;
    if (red && !inRun) ++runs;
    inRun = red;
  }
  return runs;
}

// Distinct traces on the plot: the most found crossing any column where the valve
// is open (curves of different settings may cross, never everywhere).
int DistinctTraces(const QImage& shown) {
  int most = 0;
  for (int column = ColumnAt(kOpenFrom); column <= ColumnAt(kOpenTo); ++column) {
    most = std::max(most, TracesCrossing(shown, column));
  }
  return most;
}

int MostTracesInAnyColumn(const QImage& shown) {
  int most = 0;
  for (int column = kPlot.left(); column <= kPlot.right(); ++column) {
    most = std::max(most, TracesCrossing(shown, column));
  }
  return most;
}

int RedPixels(const QImage& shown, const QRect& area) {
  int count = 0;
  for (int row = area.top(); row <= area.bottom(); ++row) {
    for (int column = area.left(); column <= area.right(); ++column) count += shown.pixel(column, row) == kRed;
  }
  return count;
}

// Pixels of the area that are neither red nor as the reference shows them.
int PixelsNeitherRedNorAs(const QImage& shown, const QImage& reference, const QRect& area) {
  int count = 0;
  for (int row = area.top(); row <= area.bottom(); ++row) {
    for (int column = area.left(); column <= area.right(); ++column) {
      const QRgb pixel = shown.pixel(column, row);
      count += pixel != kRed && pixel != reference.pixel(column, row);
    }
  }
  return count;
}

}  // namespace

class UserJourney : public RunningWindow {
 protected:
  QImage Shown() const { return window->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  QColor FaceShown(const QImage& shown, QWidget* button) const {
    return shown.pixelColor(button->geometry().topLeft() + QPoint(5, 5));
  }

  // The faces of "auto", " auto" and "random change" as the window shows them.
  void ExpectFaces(const QColor& first, const QColor& second, const QColor& random) const {
    const QImage shown = Shown();
    EXPECT_EQ(FaceShown(shown, controls().Command3), first);
    EXPECT_EQ(FaceShown(shown, controls().Command4), second);
    EXPECT_EQ(FaceShown(shown, controls().Command5), random);
  }

  void Quit() { Click(controls().Command2); }

  // The centre of a vertical scroll bar's slider, in pixels of the window.
  static QPoint SliderCentre(QScrollBar* bar) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Vertical;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.subControls = QStyle::SC_All;
    const QRect slider = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
    return bar->geometry().topLeft() + slider.center();
  }

  // A hand drags the slider of a vertical bar down by some pixels, over three turns.
  void DragSliderDown(QScrollBar* bar, int pixels) {
    AfterTurns(1, [this, bar] {
      dragFrom = SliderCentre(bar);
      QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, dragFrom);
    });
    AfterTurns(1, [this, pixels] { MoveTo(dragFrom + QPoint(0, pixels / 2)); });
    AfterTurns(1, [this, pixels] {
      QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, dragFrom + QPoint(0, pixels));
    });
  }

  // Every value the two vertical scroll bars show while frames are drawn.
  void RecordBarValuesShown() {
    onFrame = [this](const FrameReport&) {
      valuesOfVScroll1.insert(controls().VScroll1->value());
      valuesOfVScroll2.insert(controls().VScroll2->value());
    };
  }

  std::set<int> valuesOfVScroll1;
  std::set<int> valuesOfVScroll2;
  QPoint dragFrom;
};

TEST_F(UserJourney, StartDrawsOneWholeTraceOnTheGridWhileTheCamTurns) {
  QImage camEarly;
  AfterTurns(1, [&] {
    const QImage shown = Shown();
    EXPECT_EQ(RedPixels(shown, kPlot), 0) << "nothing is plotted before the first frames";
    camEarly = shown.copy(kCam);
  });
  AfterTurns(9, [&] { EXPECT_TRUE(Shown().copy(kCam) != camEarly) << "the cam outline turns"; });
  AfterRevolutions(2, [&] {
    const QImage shown = Shown();
    // Two revolutions at the same settings draw one curve, unbroken over the grid:
    // it crosses every column once.
    EXPECT_EQ(MostTracesInAnyColumn(shown), 1);
    int columnsCrossed = 0;
    for (int column = kPlot.left(); column <= kPlot.right(); ++column) columnsCrossed += TracesCrossing(shown, column);
    EXPECT_EQ(columnsCrossed, kPlot.width());
    // The valve opens about 2 mm at these settings: one grid row of 20 units.
    int topRow = kPlot.bottom();
    for (int column = kPlot.left(); column <= kPlot.right(); ++column) {
      for (int row = kPlot.top(); row < topRow; ++row) {
        if (shown.pixel(column, row) == kRed) topRow = row;
      }
    }
    EXPECT_NEAR(window_units::FromPixelY(topRow), -25, 0.5);
    Quit();
  });
  EXPECT_EQ(Run(), 0);
}

TEST_F(UserJourney, AutoSweepsTheGreenShaftAndPilesUpTraces) {
  RecordBarValuesShown();
  AfterTurns(5, [&] {
    Click(controls().Command3);
    ExpectFaces(kCyan, kLightGrey, kLightGrey);
  });
  AfterRevolutions(5, [&] {
    // 60 by hand, then 66, 72, 78 and 84: two steps of 3 per revolution.
    EXPECT_EQ(DistinctTraces(Shown()), 5);
    EXPECT_EQ(valuesOfVScroll1, (std::set<int>{60, 66, 72, 78, 84}));
    EXPECT_EQ(controls().VScroll2->value(), 200);
    ExpectFaces(kCyan, kLightGrey, kLightGrey);  // the sweep never touches the faces
    Click(controls().Command3);
    ExpectFaces(kLightGrey, kLightGrey, kLightGrey);
  });
  AfterRevolutions(2, [&] {
    // Switched off, the shaft stays where the sweep left it.
    valuesOfVScroll1.clear();
    RecordBarValuesShown();
  });
  AfterRevolutions(2, [&] {
    EXPECT_EQ(valuesOfVScroll1.size(), 1u);
    Quit();
  });
  EXPECT_EQ(Run(), 0);
}

TEST_F(UserJourney, SecondAutoTakesOverAndSweepsTheOrangeShaft) {
  RecordBarValuesShown();
  AfterTurns(5, [&] {
    Click(controls().Command3);
    Click(controls().Command4);
    ExpectFaces(kLightGrey, kCyan, kLightGrey);
  });
  AfterRevolutions(5, [&] {
    // 200 by hand, then two steps of 25 down per revolution.
    EXPECT_EQ(DistinctTraces(Shown()), 5);
    EXPECT_EQ(valuesOfVScroll2, (std::set<int>{0, 50, 100, 150, 200}));
    EXPECT_EQ(controls().VScroll1->value(), 60) << "the first sweep was off before it acted";
    ExpectFaces(kLightGrey, kCyan, kLightGrey);
    Quit();
  });
  EXPECT_EQ(Run(), 0);
}

TEST_F(UserJourney, RandomChangeTakesOverAndGivesBothShaftsNewPositions) {
  // A fixed seed: some random settings keep the valve shut, and a run of them from
  // the clock could leave fewer distinct curves than the test asks for.
  window->SetSeedSource([] { return std::uint64_t{20261208}; });
  RecordBarValuesShown();
  AfterTurns(5, [&] {
    Click(controls().Command4);
    Click(controls().Command5);
    ExpectFaces(kLightGrey, kLightGrey, kCyan);
  });
  AfterRevolutions(6, [&] {
    EXPECT_GE(DistinctTraces(Shown()), 3);
    EXPECT_GE(valuesOfVScroll1.size(), 3u);
    EXPECT_GE(valuesOfVScroll2.size(), 3u);
    ExpectFaces(kLightGrey, kLightGrey, kCyan);
    Click(controls().Command3);  // "auto" switches random change off
    ExpectFaces(kCyan, kLightGrey, kLightGrey);
    Quit();
  });
  EXPECT_EQ(Run(), 0);
}

TEST_F(UserJourney, DraggingTheOrangeShaftDrawsANewCurveAndTheSweepGoesOnFromThere) {
  int dragged = 0;
  AfterRevolutions(2, [] {});
  DragSliderDown(controls().VScroll2, 30);
  AfterRevolutions(1, [&] {
    dragged = controls().VScroll2->value();
    EXPECT_GT(dragged, 200);
    EXPECT_EQ(DistinctTraces(Shown()), 2) << "the new curve beside the old one";
    RecordBarValuesShown();
    Click(controls().Command4);
  });
  AfterRevolutions(3, [&] {
    EXPECT_TRUE(valuesOfVScroll2.count(dragged - 50) && valuesOfVScroll2.count(dragged - 100));
    EXPECT_GE(DistinctTraces(Shown()), 4);
    Quit();
  });
  EXPECT_EQ(Run(), 0);
}

TEST_F(UserJourney, ClsLeavesTheEmptyGridAndTheCurrentTrace) {
  QImage background;
  AfterTurns(1, [&] { background = Shown(); });
  AfterTurns(5, [&] { Click(controls().Command3); });
  AfterRevolutions(3, [&] {
    ASSERT_GE(DistinctTraces(Shown()), 3);
    Click(controls().Command1);
    EXPECT_EQ(controls().Label2->text(), text_pages::Page(0)) << "the page changes with the clear";
  });
  AfterTurns(3, [&] {
    const QImage shown = Shown();
    EXPECT_EQ(PixelsNeitherRedNorAs(shown, background, kPlot), 0);
    EXPECT_LE(MostTracesInAnyColumn(shown), 1);
    EXPECT_EQ(controls().Label2->text(), text_pages::Page(1));
  });
  AfterTurns(100, [&] {  // about 50 frames on: the current revolution's trace grows again
    const QImage shown = Shown();
    EXPECT_GT(RedPixels(shown, kPlot), 0);
    EXPECT_EQ(PixelsNeitherRedNorAs(shown, background, kPlot), 0);
    EXPECT_EQ(MostTracesInAnyColumn(shown), 1);
    Quit();
  });
  EXPECT_EQ(Run(), 0);
}

TEST_F(UserJourney, PointerOnTheRedCrossHoldsTheCamUntilItMovesAwayOverTheWindow) {
  QImage held;
  long framesWhenHeld = 0;
  AfterTurns(20, [&] { MoveTo(kRedCross); });
  AfterTurns(3, [&] {
    held = Shown().copy(kCam);
    framesWhenHeld = framesCompleted;
  });
  AfterTurns(50, [&] {
    EXPECT_TRUE(Shown().copy(kCam) == held);
    // Leaving the cross straight onto a control does not end the pause.
    MoveTo(controls().VScroll2->geometry().center());
  });
  AfterTurns(50, [&] {
    EXPECT_TRUE(Shown().copy(kCam) == held);
    EXPECT_EQ(framesCompleted, framesWhenHeld);
    MoveTo(kRedCross + QPoint(0, 60));  // over the window, away from the cross
  });
  AfterTurns(10, [&] {
    EXPECT_TRUE(Shown().copy(kCam) != held);
    EXPECT_GT(framesCompleted, framesWhenHeld);
    Quit();
  });
  EXPECT_EQ(Run(), 0);
}

TEST_F(UserJourney, EscapeDuringASweepEndsWithAClearedWindow) {
  AfterTurns(5, [&] { Click(controls().Command4); });
  AfterRevolutions(2, [&] {
    Press(Qt::Key_Escape);
  });
  EXPECT_EQ(Run(), 0);
  const QImage shown = ImageOf(window->Surface());
  QImage cleared(shown.size(), shown.format());
  cleared.fill(Qt::white);
  EXPECT_TRUE(shown == cleared) << "nothing is drawn after the clear";
}
