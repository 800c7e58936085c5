#include <QImage>

#include "WindowFixture.h"
#include "raster/RasterCanvas.h"
#include "app/TextPages.h"

class EndingTest : public WindowFixture {
 protected:
  void ExpectEndedOnce() {
    EXPECT_TRUE(window->Ending());
    EXPECT_EQ(quitRequests, 1);
  }
};

class EscapeFromEachControl : public EndingTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(EscapeFromEachControl, ClearsTheWindowThenEndsOnce) {
  auto* control = window->findChild<QWidget*>(GetParam());
  ASSERT_NE(control, nullptr);
  window->Surface().SetPenColour(colours::red);
  window->Surface().FilledBox(-10, 10, 10, -10);
  control->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), control);

  QTest::keyClick(window->windowHandle(), Qt::Key_Escape);

  ExpectEndedOnce();
  const QPoint centre = PixelAt(0, 0);
  EXPECT_EQ(window->Surface().At(centre.x(), centre.y()), colours::white);
}

INSTANTIATE_TEST_SUITE_P(Controls, EscapeFromEachControl,
                         ::testing::Values("VScroll1", "VScroll2", "Command1", "Command2", "HScroll1",
                                           "Command3", "Command4", "Command5"));

TEST_F(EndingTest, OtherKeysDoNothing) {
  controls().Command3->setFocus();
  QTest::keyClick(window->windowHandle(), Qt::Key_A);
  QTest::keyClick(window->windowHandle(), Qt::Key_Return);
  window->Handle({EventKind::FormKeyPress, 0, 0, 13});
  EXPECT_FALSE(window->Ending());
  EXPECT_EQ(quitRequests, 0);
}

TEST_F(EndingTest, DoubleClickOnTheWindowTurnsThePageOnceThenEnds) {
  window->ShowTextPage();
  QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, FreeSurface());
  EXPECT_EQ(vars().mes, 1);
  EXPECT_EQ(controls().Label2->text(), text_pages::Page(1));
  ExpectEndedOnce();
}

TEST_F(EndingTest, DoubleClickOnTheTextLabelTurnsThePageOnceThenEnds) {
  QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, controls().Label2->geometry().center());
  EXPECT_EQ(vars().mes, 1);
  ExpectEndedOnce();
}

TEST_F(EndingTest, DoubleClickOnTheCreditEnds) {
  QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, controls().Label1->geometry().center());
  EXPECT_EQ(vars().mes, 0);
  ExpectEndedOnce();
}

TEST_F(EndingTest, QuitButtonEnds) {
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, controls().Command2->geometry().center());
  ExpectEndedOnce();
}

TEST_F(EndingTest, CloseBoxEnds) {
  EXPECT_TRUE(window->close());
  ExpectEndedOnce();
}

TEST_F(EndingTest, EndingTwiceAsksOnce) {
  window->Handle({EventKind::Command2Click});
  window->Handle({EventKind::FormDblClick});
  window->Handle({EventKind::FormKeyPress, 0, 0, 27});
  ExpectEndedOnce();
}
