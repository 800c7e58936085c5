// Started where there is no display, the program says so in one line and exits
// with status 1 instead of aborting.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "app/NoDisplayGuard.h"

namespace {

void ExpectNoDisplayMessage(const QProcessEnvironment& environment) {
  QProcess torlin;
  torlin.setProcessEnvironment(environment);
  torlin.start(QStringLiteral(TORLIN_BINARY), {});
  ASSERT_TRUE(torlin.waitForFinished(30000));
  EXPECT_EQ(torlin.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(torlin.exitCode(), 1);
  const QString output = QString::fromLocal8Bit(torlin.readAllStandardError()).trimmed();
  EXPECT_EQ(output, QString::fromLatin1(NoDisplayGuard::Message()));
  EXPECT_TRUE(output.contains("xvfb-run"));
}

QProcessEnvironment WithoutDisplay() {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
  return environment;
}

}  // namespace

TEST(NoDisplay, DisplayUnset) { ExpectNoDisplayMessage(WithoutDisplay()); }

TEST(NoDisplay, DisplayPointingAtNoServer) {
  QProcessEnvironment environment = WithoutDisplay();
  environment.insert("DISPLAY", ":217");
  ExpectNoDisplayMessage(environment);
}
