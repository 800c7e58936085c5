#include <QImage>

#include "WindowFixture.h"
#include "app/TextPages.h"

namespace {

const QColor kCyan(0, 255, 255);
const QColor kLightGrey(224, 224, 224);

}  // namespace

class HandlersTest : public WindowFixture {
 protected:
  void Click(QWidget* control) {
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      control->geometry().center());
  }
  void ClickSurface() { QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, FreeSurface()); }
  void MoveTo(QPoint pixel) { QTest::mouseMove(window->windowHandle(), pixel); }

  // The face colour as the rendered window shows it, away from caption and border.
  QColor FaceShown(QWidget* button) {
    const QImage shown = window->grab().toImage();
    return shown.pixelColor(button->geometry().topLeft() + QPoint(5, 5));
  }

  void ExpectFaces(const QColor& c3, const QColor& c4, const QColor& c5) {
    EXPECT_EQ(FaceShown(controls().Command3), c3);
    EXPECT_EQ(FaceShown(controls().Command4), c4);
    EXPECT_EQ(FaceShown(controls().Command5), c5);
  }

  // The three modes, and each mode's button face as shown: cyan when on.
  void ExpectModes(int aut1, int aut2, int rad1) {
    EXPECT_EQ(vars().aut1, aut1);
    EXPECT_EQ(vars().aut2, aut2);
    EXPECT_EQ(vars().rad1, rad1);
    const auto face = [](int on) { return on ? kCyan : kLightGrey; };
    ExpectFaces(face(aut1), face(aut2), face(rad1));
  }
};

TEST_F(HandlersTest, AllVariablesStartAtZeroAndFacesAreLightGrey) {
  const WindowVariables& v = vars();
  EXPECT_EQ(v.X, 0);
  EXPECT_EQ(v.Y, 0);
  EXPECT_EQ(v.fff, 0);
  EXPECT_EQ(v.steep, 0);
  EXPECT_EQ(v.cls1 + v.stp + v.mes + v.aut1 + v.aut2 + v.eee + v.rad1 + v.init, 0);
  ExpectFaces(kLightGrey, kLightGrey, kLightGrey);
}

TEST_F(HandlersTest, EachAutoTogglesOnAndOff) {
  Click(controls().Command3);
  ExpectModes(1, 0, 0);
  Click(controls().Command3);
  ExpectModes(0, 0, 0);

  Click(controls().Command4);
  ExpectModes(0, 1, 0);
  Click(controls().Command3);  // the other auto takes over
  ExpectModes(1, 0, 0);
}

TEST_F(HandlersTest, AutoWhileRandomChangeIsOnSwitchesRandomChangeOff) {
  Click(controls().Command5);
  ExpectModes(0, 0, 1);
  Click(controls().Command3);
  ExpectModes(1, 0, 0);
}

TEST_F(HandlersTest, RandomChangeWhileAnAutoIsOnSwitchesBothAutosOff) {
  Click(controls().Command4);
  Click(controls().Command5);
  ExpectModes(0, 0, 1);
  Click(controls().Command5);
  ExpectModes(0, 0, 0);
}

TEST_F(HandlersTest, EveryModeButtonResetsTheEraseLatch) {
  for (QWidget* button : {static_cast<QWidget*>(controls().Command3),
                          static_cast<QWidget*>(controls().Command4),
                          static_cast<QWidget*>(controls().Command5)}) {
    vars().eee = 1;
    Click(button);
    EXPECT_EQ(vars().eee, 0) << button->objectName().toStdString();
  }
}

TEST_F(HandlersTest, RandomChangeReseedsFromTheClock) {
  FrontEnd& host = *window;
  const float unseeded = host.NextRandom();
  Click(controls().Command5);
  const float first = host.NextRandom();
  QTest::qWait(2);
  Click(controls().Command5);
  const float second = host.NextRandom();
  EXPECT_NE(first, unseeded);
  EXPECT_NE(first, second);
}

TEST_F(HandlersTest, ThreeClicksOnTheWindowBringThePageBack) {
  window->ShowTextPage();
  EXPECT_EQ(controls().Label2->text(), text_pages::Page(0));
  for (int expected : {1, 2, 0}) {
    ClickSurface();
    EXPECT_EQ(vars().mes, expected);
    EXPECT_EQ(controls().Label2->text(), text_pages::Page(expected));
  }
}

TEST_F(HandlersTest, ClickOnTheTextLabelTurnsThePageAndOnTheCreditDoesNothing) {
  window->ShowTextPage();
  Click(controls().Label2);
  EXPECT_EQ(vars().mes, 1);
  EXPECT_EQ(controls().Label2->text(), text_pages::Page(1));
  Click(controls().Label1);
  Click(controls().VScroll2);
  EXPECT_EQ(vars().mes, 1);
  EXPECT_EQ(quitRequests, 0);
}

TEST_F(HandlersTest, ClsAdvancesThePageWithoutChangingTheLabel) {
  window->ShowTextPage();
  Click(controls().Command1);
  EXPECT_EQ(vars().cls1, 1);
  EXPECT_EQ(vars().mes, 1);
  EXPECT_EQ(controls().Label2->text(), text_pages::Page(0));
  Click(controls().Command1);  // twice within one frame: one clear, two pages on
  EXPECT_EQ(vars().cls1, 1);
  EXPECT_EQ(vars().mes, 2);
}

TEST_F(HandlersTest, PauseFlagIsOneOnlyStrictlyInsideFourUnits) {
  window->Handle({EventKind::FormMouseMove, 4.0f, 0.0f});
  EXPECT_EQ(vars().stp, 0);
  window->Handle({EventKind::FormMouseMove, 0.0f, -3.9999f});
  EXPECT_EQ(vars().stp, 1);
  window->Handle({EventKind::FormMouseMove, 2.4f, 3.2f});  // 4 in double from single-precision inputs
  EXPECT_EQ(vars().stp, (std::hypot(double(2.4f), double(3.2f)) < 4) ? 1 : 0);
  window->Handle({EventKind::FormMouseMove, -2.0f, 3.0f});
  EXPECT_EQ(vars().stp, 1);
}

TEST_F(HandlersTest, PointerOverTheRedCrossPausesUntilItMovesAwayOverTheSurface) {
  MoveTo(PixelAt(0, 0));
  EXPECT_EQ(vars().stp, 1);
  MoveTo(controls().VScroll2->geometry().center());  // onto a control: no change
  EXPECT_EQ(vars().stp, 1);
  MoveTo(PixelAt(0, 5));
  EXPECT_EQ(vars().stp, 0);
  MoveTo(PixelAt(0.5, -1));
  EXPECT_EQ(vars().stp, 1);
  MoveTo(controls().Label2->geometry().center());  // over a label: no change
  EXPECT_EQ(vars().stp, 1);
}
