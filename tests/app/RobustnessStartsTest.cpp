// Two hundred starts of the real program in a row on one virtual X display: every
// one must reach its first frame. Each start ends by itself after one frame
// (TORLIN_END_AFTER_FRAMES), so that status 0 means the frame was drawn; none
// says anything on the way, though no runtime folder is set.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <cstdio>

#include "VirtualDisplay.h"

TEST(RobustnessStarts, TwoHundredStartsOnOneVirtualDisplayAllReachTheFirstFrame) {
  constexpr int kStarts = 200;
  VirtualDisplay display;
  ASSERT_TRUE(display.Problem().isEmpty()) << display.Problem().toStdString();
  QProcessEnvironment environment = display.Environment();
  environment.insert("TORLIN_END_AFTER_FRAMES", "1");
  environment.remove("XDG_RUNTIME_DIR");  // as under a bare X server

  QElapsedTimer clock;
  clock.start();
  int reached = 0;
  int retried = 0;
  QStringList failures;
  QStringList chatty;
  for (int start = 1; start <= kStarts; ++start) {
    QProcess torlin;
    torlin.setProcessEnvironment(environment);
    torlin.start(QStringLiteral(TORLIN_BINARY), {});
    const bool ended = torlin.waitForFinished(60000);
    if (!ended) torlin.kill(), torlin.waitForFinished();
    const QString errors = QString::fromLocal8Bit(torlin.readAllStandardError()).trimmed();
    retried += errors.contains("torlin: started at attempt");
    // A start says nothing but its own one line, if it needed a second attempt.
    if (!errors.isEmpty() && !(errors.startsWith("torlin: started at attempt") && !errors.contains('\n'))) {
      chatty << QString("start %1 said: %2").arg(start).arg(errors);
    }
    if (ended && torlin.exitStatus() == QProcess::NormalExit && torlin.exitCode() == 0) {
      ++reached;
    } else {
      failures << QString("start %1: %2 status %3: %4").arg(start).arg(ended ? "ended" : "hung").arg(torlin.exitCode()).arg(errors);
    }
  }
  std::printf("[ starts ] %d of %d starts on %s reached the first frame (%d after a second attempt) in %lld ms\n",
              reached, kStarts, qPrintable(display.Display()), retried, static_cast<long long>(clock.elapsed()));
  EXPECT_EQ(reached, kStarts) << failures.join('\n').toStdString();
  EXPECT_TRUE(chatty.isEmpty()) << chatty.join('\n').toStdString();
}
