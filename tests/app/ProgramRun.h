#pragma once

// Runs the real window program to its end and gives back what it said.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

struct ProgramOutcome {
  int status = -1;
  QString output;
  QString errors;  // without the final line break
};

inline ProgramOutcome RunProgram(const QProcessEnvironment& environment, const QStringList& arguments = {}) {
  QProcess torlin;
  torlin.setProcessEnvironment(environment);
  torlin.start(QStringLiteral(TORLIN_BINARY), arguments);
  EXPECT_TRUE(torlin.waitForFinished(30000));
  EXPECT_EQ(torlin.exitStatus(), QProcess::NormalExit);
  return {torlin.exitCode(), QString::fromLocal8Bit(torlin.readAllStandardOutput()),
          QString::fromLocal8Bit(torlin.readAllStandardError()).trimmed()};
}

// The test's environment without any window system.
inline QProcessEnvironment WithoutDisplay() {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
  return environment;
}
