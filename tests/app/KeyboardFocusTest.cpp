// Keyboard focus and the assistive descriptions. The mode buttons' faces say
// whether a mode is on, so they stay exactly light grey or cyan whatever the focus,
// the pointer or a press does; a ring outside the control shows the focus.
#include <QFocusFrame>

#include "WindowFixture.h"
#include "app/FocusRing.h"

class KeyboardFocus : public WindowFixture {
 protected:
  const QColor kLightGrey{224, 224, 224};
  const QColor kCyan{0, 255, 255};

  QImage Shown() { return window->grab().toImage(); }

  // Every pixel of the face just inside the button's 1-pixel border: clear of the
  // caption, which is centred.
  static int PixelsOffFace(const QImage& shown, const QRect& button, const QColor& face) {
    const QRect inner = button.adjusted(2, 2, -2, -2);
    int off = 0;
    for (int x = inner.left(); x <= inner.right(); ++x) {
      off += shown.pixelColor(x, inner.top()) != face;
      off += shown.pixelColor(x, inner.bottom()) != face;
    }
    for (int y = inner.top(); y <= inner.bottom(); ++y) {
      off += shown.pixelColor(inner.left(), y) != face;
      off += shown.pixelColor(inner.right(), y) != face;
    }
    return off;
  }

  void TabTo(QWidget* control) {
    int presses = 0;
    do QTest::keyClick(window->windowHandle(), Qt::Key_Tab);
    while (++presses < 10 && QApplication::focusWidget() != control);
    ASSERT_EQ(QApplication::focusWidget(), control);
  }

  FocusRing* Ring() { return window->findChild<FocusRing*>(); }
};

TEST_F(KeyboardFocus, ModeFacesStayExactlyGreyOrCyanWhenFocusedHoveredOrPressed) {
  ColouredButton* modes[] = {controls().Command3, controls().Command4, controls().Command5};
  for (ColouredButton* button : modes) {
    SCOPED_TRACE(button->text().toStdString());
    const QRect place = button->geometry();
    TabTo(button);
    EXPECT_EQ(PixelsOffFace(Shown(), place, kLightGrey), 0) << "focused, off";

    QTest::keyClick(window->windowHandle(), Qt::Key_Space);  // on
    ASSERT_EQ(button->Face(), colours::cyan);
    EXPECT_EQ(PixelsOffFace(Shown(), place, kCyan), 0) << "focused, on";

    QTest::mouseMove(window->windowHandle(), place.center());
    EXPECT_EQ(PixelsOffFace(Shown(), place, kCyan), 0) << "focused, on, hovered";

    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, place.center());  // off again
    ASSERT_EQ(button->Face(), colours::lightGrey);
    EXPECT_EQ(PixelsOffFace(Shown(), place, kLightGrey), 0) << "pressed and released, off";
    QTest::mouseMove(window->windowHandle(), FreeSurface());
  }
}

TEST_F(KeyboardFocus, RingShowsAroundEachControlReachedByTabOutsideIt) {
  const Controls& c = controls();
  QWidget* reachable[] = {c.VScroll1, c.VScroll2, c.Command1, c.Command2, c.HScroll1, c.Command3, c.Command4, c.Command5};
  for (QWidget* control : reachable) {
    SCOPED_TRACE(control->objectName().toStdString());
    TabTo(control);
    ASSERT_EQ(Ring()->Around(), control);
    const QImage shown = Shown();
    const QRect place = control->geometry();
    // A dark ring just outside the control, on all four sides.
    for (const QPoint& at : {QPoint(place.center().x(), place.top() - 1), QPoint(place.center().x(), place.bottom() + 1),
                             QPoint(place.left() - 1, place.center().y()), QPoint(place.right() + 1, place.center().y())}) {
      EXPECT_LT(shown.pixelColor(at).lightness(), 80) << at.x() << "," << at.y();
    }
  }
}

TEST_F(KeyboardFocus, NoRingAfterAMouseClickAndTheRingTakesNoClicks) {
  TabTo(controls().Command4);
  ASSERT_NE(Ring()->Around(), nullptr);
  auto* frame = window->findChild<QFocusFrame*>();
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->testAttribute(Qt::WA_TransparentForMouseEvents));

  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, controls().Command1->geometry().center());
  EXPECT_EQ(Ring()->Around(), nullptr);
}

TEST_F(KeyboardFocus, EveryControlHasANameAndADescriptionAndEveryButtonAndBarATooltip) {
  const Controls& c = controls();
  QWidget* all[] = {c.VScroll1, c.VScroll2, c.Command1, c.Command2, c.Label1,
                    c.HScroll1, c.Label2, c.Command3, c.Command4, c.Command5};
  QStringList names;
  for (QWidget* control : all) {
    EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
    EXPECT_FALSE(control->accessibleDescription().isEmpty()) << control->objectName().toStdString();
    const bool label = control == c.Label1 || control == c.Label2;
    EXPECT_EQ(control->toolTip().isEmpty(), label) << control->objectName().toStdString();
    names << control->accessibleName();
  }
  names.removeDuplicates();
  EXPECT_EQ(names.size(), 10);
  // The two shafts are told apart by what they do.
  EXPECT_TRUE(c.VScroll1->accessibleDescription().contains("how long the valve stays open"));
  EXPECT_TRUE(c.VScroll2->accessibleDescription().contains("lift"));
}
