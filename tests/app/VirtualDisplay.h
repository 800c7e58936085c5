#pragma once

// One Xvfb server for a test, started by xvfb-run, which keeps it until the object
// goes: xvfb-run's command prints the display and its authority file and then
// waits for its input to close.
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>
#include <unistd.h>

class VirtualDisplay {
 public:
  // screen: width x height x depth.
  explicit VirtualDisplay(const QString& screen = QStringLiteral("1280x1024x24")) {
    if (QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty()) {
      problem_ = QStringLiteral("xvfb-run is not installed");
      return;
    }
    // Tests running side by side each look for a free display from their own number.
    const QString first = QString::number(300 + ::getpid() % 600);
    server_.start(QStringLiteral("xvfb-run"),
                  {QStringLiteral("-a"), QStringLiteral("-n"), first, QStringLiteral("-s"),
                   QStringLiteral("-screen 0 ") + screen, QStringLiteral("sh"), QStringLiteral("-c"),
                   QStringLiteral("echo \"$DISPLAY $XAUTHORITY\"; exec cat")});
    if (!server_.waitForStarted(10000) || !server_.waitForReadyRead(30000)) {
      problem_ = QStringLiteral("Xvfb did not start: ") + QString::fromLocal8Bit(server_.readAllStandardError());
      return;
    }
    const QStringList parts = QString::fromLocal8Bit(server_.readLine()).trimmed().split(QLatin1Char(' '));
    if (parts.size() != 2) {
      problem_ = QStringLiteral("unexpected answer from xvfb-run: ") + parts.join(QLatin1Char(' '));
      return;
    }
    display_ = parts[0];
    authority_ = parts[1];
  }

  ~VirtualDisplay() {
    server_.closeWriteChannel();
    if (!server_.waitForFinished(10000)) server_.kill();
    server_.waitForFinished(5000);
  }

  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  // Empty when the server runs.
  const QString& Problem() const { return problem_; }
  const QString& Display() const { return display_; }

  // The test's environment with the window system set to this display. On X, Qt
  // talks to the session bus; libdbus keeps a buffer to the end, which the leak
  // checker of a sanitized build would report as the program's own. The suppression
  // is not reported either: the start tests require a silent stderr.
  QProcessEnvironment Environment() {
    if (!suppressions_.isOpen() && suppressions_.open()) {
      suppressions_.write("leak:libdbus-1.so\n");
      suppressions_.flush();
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("DISPLAY"), display_);
    environment.insert(QStringLiteral("XAUTHORITY"), authority_);
    environment.insert(QStringLiteral("LSAN_OPTIONS"), QStringLiteral("print_suppressions=0:suppressions=") + suppressions_.fileName());
    return environment;
  }

 private:
  QProcess server_;
  QString display_;
  QString authority_;
  QString problem_;
  QTemporaryFile suppressions_;
};
