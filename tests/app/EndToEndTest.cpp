// The real window with its animation running: user input sent from inside the
// running loop, and the loop brought to an end through the window.
#include "RunningWindow.h"
#include "app/TextPages.h"

TEST_F(RunningWindow, StartsOnActivationHonoursClsAndEndsWithQuit) {
  const Controls& c = window->Widgets();
  int pageAfterClear = -1;
  script[20] = [&] { Click(c.Command1); };
  script[200] = [&] {
    EXPECT_EQ(window->Vars().cls1, 0);  // the loop has cleared
    pageAfterClear = window->Vars().mes;
    EXPECT_EQ(c.Label2->text(), text_pages::Page(1));
    Click(c.Command2);
  };
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(window->Ending());
  EXPECT_EQ(pageAfterClear, 1);
  EXPECT_EQ(window->Vars().steep, 4);
  EXPECT_TRUE(c.Label1->text().contains(".example"));
}

TEST_F(RunningWindow, DoubleClickEndsTheRunningProgram) {
  script[30] = [&] {
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, QPoint(300, 500));
  };
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(window->Vars().mes, 1);
  EXPECT_LE(window->Resumer().Turns(), 40);
}

TEST_F(RunningWindow, PointerOnTheRedCrossPausesAndEscapeEndsWhilePaused) {
  long pausedAt = 0;
  script[10] = [&] {
    QTest::mouseMove(window->windowHandle(), QPoint(734, 409));
    pausedAt = window->Resumer().Turns();
  };
  script[50] = [&] {
    EXPECT_EQ(window->Vars().stp, 1);
    QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
  };
  EXPECT_EQ(Run(), 0);
  EXPECT_GT(pausedAt, 0);
  EXPECT_EQ(window->Resumer().Turns(), 50);  // ended at its next check
}

TEST_F(RunningWindow, CloseBoxEndsTheRunningProgram) {
  script[15] = [&] { window->close(); };
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(window->Ending());
}
