// A start that cannot reach a window system ends with status 1 and one line that
// gives Qt's own reason; a failed connection to a display whose server is there is
// tried again before the program gives up.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "ProgramRun.h"
#include "app/StartFailure.h"
#include "app/StartGuard.h"

namespace {

void ExpectNoDisplayLine(const ProgramOutcome& outcome, const QString& reason) {
  EXPECT_EQ(outcome.status, 1);
  EXPECT_FALSE(outcome.errors.contains('\n')) << outcome.errors.toStdString();
  EXPECT_TRUE(outcome.errors.startsWith("torlin: no display found (" + reason)) << outcome.errors.toStdString();
  EXPECT_TRUE(outcome.errors.endsWith("xvfb-run torlin")) << outcome.errors.toStdString();
}

// A socket file where an X server would listen, with nobody listening: the server
// seems to be there, but every connection is refused.
class DeafDisplay {
 public:
  DeafDisplay() : number_(5000 + ::getpid() % 1000) {
    QDir().mkpath(QStringLiteral("/tmp/.X11-unix"));
    path_ = QStringLiteral("/tmp/.X11-unix/X%1").arg(number_);
    QFile::remove(path_);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = path_.toLocal8Bit();
    std::copy(name.begin(), name.end(), address.sun_path);
    bound_ = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);  // the file stays, refusing connections
  }
  ~DeafDisplay() { QFile::remove(path_); }
  bool Made() const { return bound_; }
  QString Name() const { return QStringLiteral(":%1").arg(number_); }

 private:
  int number_;
  QString path_;
  bool bound_ = false;
};

}  // namespace

TEST(StartFailure, WithoutDisplayOneLineWithQtsReasonAndAHint) {
  ExpectNoDisplayLine(RunProgram(WithoutDisplay()), "could not connect to display");

  QProcessEnvironment environment = WithoutDisplay();
  environment.insert("DISPLAY", ":217");  // no server there: given up at once
  ExpectNoDisplayLine(RunProgram(environment), "could not connect to display :217)");
}

TEST(StartFailure, UnknownPlatformPluginIsNamedNotCalledANoDisplay) {
  const ProgramOutcome outcome = RunProgram(WithoutDisplay(), {"-platform", "bogus"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_FALSE(outcome.errors.contains('\n')) << outcome.errors.toStdString();
  EXPECT_TRUE(outcome.errors.startsWith("torlin: cannot start the window system: Could not find the Qt platform "
                                        "plugin \"bogus\""))
      << outcome.errors.toStdString();
  EXPECT_TRUE(outcome.errors.contains("Available platform plugins are:"));
}

// The count of attempts travels in the environment to the fresh start; a count
// set from outside, however large or small, neither shortens nor lengthens the
// tries (nor overflows).
TEST(StartFailure, RefusedConnectionToADisplayThatIsThereIsTriedAgain) {
  DeafDisplay deaf;
  ASSERT_TRUE(deaf.Made());
  for (const char* stray : {"", "2147483647", "-5", "3", "1:1"}) {
    QProcessEnvironment environment = WithoutDisplay();
    environment.insert("DISPLAY", deaf.Name());
    if (*stray) environment.insert("TORLIN_START_ATTEMPT", stray);
    ExpectNoDisplayLine(RunProgram(environment), QString("could not connect to display %1; tried %2 times)")
                                                     .arg(deaf.Name())
                                                     .arg(StartGuard::kAttempts));
  }
}

TEST(StartFailure, AStartThatSucceedsAtOnceDoesNotClaimEarlierAttempts) {
  QProcessEnvironment environment = WithoutDisplay();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  environment.insert("TORLIN_END_AFTER_FRAMES", "1");
  environment.insert("TORLIN_START_ATTEMPT", "2");
  environment.insert("TORLIN_START_FAILURE", "made up");
  const ProgramOutcome outcome = RunProgram(environment);
  EXPECT_EQ(outcome.status, 0);
  EXPECT_FALSE(outcome.errors.contains("started at attempt")) << outcome.errors.toStdString();
}

TEST(StartFailure, DescriptionTakesQtsFirstWarningAsTheReason) {
  const QString fatal =
      "This application failed to start because no Qt platform plugin could be initialized. Reinstalling the "
      "application may fix this problem.\n\nAvailable platform plugins are: offscreen, xcb.";
  const StartFailure display = DescribeStartFailure(
      {"could not connect to display :3", "Could not load the Qt platform plugin \"xcb\" in \"\" even though it was found."},
      fatal);
  EXPECT_TRUE(display.noDisplay);
  EXPECT_EQ(display.reason, "could not connect to display :3");

  const StartFailure plugin = DescribeStartFailure({"Could not find the Qt platform plugin \"x\" in \"\""}, fatal);
  EXPECT_FALSE(plugin.noDisplay);
  EXPECT_EQ(plugin.line, "torlin: cannot start the window system: Could not find the Qt platform plugin \"x\" in "
                         "\"\". Available platform plugins are: offscreen, xcb.");

  // With no warning at all, the fatal message itself, on one line.
  const StartFailure bare = DescribeStartFailure({}, "first\nsecond");
  EXPECT_EQ(bare.line, "torlin: cannot start the window system: first second");
}

TEST(StartFailure, OnlyADisplayWithALocalServerOrOnAnotherHostIsWorthAnotherTry) {
  DeafDisplay deaf;
  ASSERT_TRUE(deaf.Made());
  EXPECT_TRUE(DisplayServerMayBeThere(deaf.Name().toLocal8Bit()));
  EXPECT_TRUE(DisplayServerMayBeThere(deaf.Name().toLocal8Bit() + ".0"));
  EXPECT_TRUE(DisplayServerMayBeThere("remote.example:0"));
  // A display with neither socket nor lock file has no server; a lock file alone is
  // a server starting, not yet listening.
  const QByteArray absent = ":" + QByteArray::number(7000 + ::getpid() % 1000);
  EXPECT_FALSE(DisplayServerMayBeThere(absent));
  EXPECT_FALSE(DisplayServerMayBeThere("unix" + absent));
  QFile lock(QString("/tmp/.X%1-lock").arg(absent.mid(1)));
  ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
  EXPECT_TRUE(DisplayServerMayBeThere(absent));
  lock.remove();
  EXPECT_FALSE(DisplayServerMayBeThere(""));
  EXPECT_FALSE(DisplayServerMayBeThere("nonsense"));
}
