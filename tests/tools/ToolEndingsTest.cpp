// How both tools end: on a signal, on a failed write, and when the reader goes away.
#include <gtest/gtest.h>

#include <signal.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <string>

#include "LiftRun.h"

namespace {

// Time limits in milliseconds, for an optimised build; a sanitized one runs several
// times slower, and the limits only need to tell "stops soon" from "runs on for minutes".
#ifdef __SANITIZE_ADDRESS__
constexpr int kSlowdown = 8;
#else
constexpr int kSlowdown = 1;
#endif
constexpr int kSoonMs = 2000 * kSlowdown;
constexpr int kPromptlyMs = 5000 * kSlowdown;

struct LongRun {
  const char* name;
  QString program;
  QStringList arguments;
};

const LongRun kLongRuns[] = {
    {"lift", QStringLiteral(TORLIN_LIFT_PATH), {QStringLiteral("--revolutions=1000000")}},
    {"map", QStringLiteral(TORLIN_MODES_PATH), {QStringLiteral("--speed=25"), QStringLiteral("--exact")}},
    {"svaj", QStringLiteral(TORLIN_MODES_PATH), {QStringLiteral("--svaj=60,200"), QStringLiteral("--step=0.001")}},
};

// Every line has the header's number of cells and ends with a line end.
void ExpectWholeRows(const QByteArray& out, const char* name) {
  ASSERT_TRUE(out.endsWith('\n')) << name;
  const QStringList lines = Lines(QString::fromUtf8(out));
  ASSERT_GE(lines.size(), 2) << name;
  const qsizetype cells = lines[0].count(QLatin1Char(','));
  for (const QString& line : lines) ASSERT_EQ(line.count(QLatin1Char(',')), cells) << name << ": " << line.toStdString();
}

// The tools' children start with the stop signals' default ways, whatever this test
// inherited (run under nohup, SIGHUP would arrive ignored).
void WithDefaultStopSignals(QProcess& process) {
  process.setChildProcessModifier([] {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) ::signal(signal, SIG_DFL);
  });
}

// Ctrl-C, SIGTERM and SIGHUP each stop every long run soon, with the rows done written
// whole and the exit status a shell reports for the signal. (A second or so: the old
// tools ran on for minutes or tore the last row.)
TEST(ToolEndings, EachStopSignalEndsEveryRunSoonWithWholeRows) {
  for (const LongRun& run : kLongRuns) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
      SCOPED_TRACE(testing::Message() << run.name << " signal " << signal);
      QProcess process;
      WithDefaultStopSignals(process);
      process.start(run.program, run.arguments);
      ASSERT_TRUE(process.waitForStarted());
      QByteArray out;
      while (out.count('\n') < 3 && process.waitForReadyRead(60000)) out += process.readAllStandardOutput();
      ASSERT_EQ(::kill(pid_t(process.processId()), signal), 0);
      QElapsedTimer clock;
      clock.start();
      ASSERT_TRUE(process.waitForFinished(60000));
      EXPECT_LT(clock.elapsed(), kSoonMs);
      out += process.readAllStandardOutput();
      EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
      EXPECT_EQ(process.exitCode(), 128 + signal);
      const QString err = QString::fromUtf8(process.readAllStandardError());
      EXPECT_LE(err.count(QLatin1Char('\n')), 1) << err.toStdString();
      ExpectWholeRows(out, run.name);
    }
  }
}

// A signal that comes before the tool could install its handlers (here: sent while the
// parent had it blocked, so it waits at the door) still takes the designed way out;
// and a hang-up that the parent ignores, as nohup does, stays ignored.
TEST(ToolEndings, StopSignalsFromTheFirstInstantAndIgnoredOnes) {
  for (const LongRun& run : kLongRuns) {
    SCOPED_TRACE(run.name);
    QProcess early;
    early.setChildProcessModifier([] {
      sigset_t term;
      sigemptyset(&term);
      sigaddset(&term, SIGTERM);
      sigprocmask(SIG_BLOCK, &term, nullptr);
      ::signal(SIGTERM, SIG_DFL);
      raise(SIGTERM);  // pending across exec
    });
    early.start(run.program, run.arguments);
    ASSERT_TRUE(early.waitForFinished(60000));
    EXPECT_EQ(early.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(early.exitCode(), 128 + SIGTERM);
    const QByteArray out = early.readAllStandardOutput();
    EXPECT_TRUE(out.isEmpty() || out.endsWith('\n'));
    EXPECT_LE(early.readAllStandardError().count('\n'), 1);

    QProcess nohup;
    nohup.setChildProcessModifier([] {
      ::signal(SIGHUP, SIG_IGN);
      ::signal(SIGTERM, SIG_DFL);
    });
    nohup.start(run.program, run.arguments);
    ASSERT_TRUE(nohup.waitForStarted());
    QByteArray rows;
    while (rows.count('\n') < 3 && nohup.waitForReadyRead(60000)) rows += nohup.readAllStandardOutput();
    ASSERT_EQ(::kill(pid_t(nohup.processId()), SIGHUP), 0);
    // A hang-up taken its default way ends the run within milliseconds; the svaj run
    // itself lasts only about a second on a quiet machine.
    EXPECT_FALSE(nohup.waitForFinished(300)) << "a hang-up the parent ignores ended the run";
    ASSERT_EQ(::kill(pid_t(nohup.processId()), SIGTERM), 0);
    ASSERT_TRUE(nohup.waitForFinished(60000));
    EXPECT_EQ(nohup.exitCode(), 128 + SIGTERM);
  }
}

// Drawing one picture of a large grid takes seconds and cannot poll; Ctrl-C still
// ends the run at once, after the rows, which were all written before.
TEST(ToolEndings, CtrlCWhileThePicturesAreDrawnStopsAtOnce) {
  QTemporaryDir folder;
  QProcess process;
  process.start(QStringLiteral(TORLIN_MODES_PATH),
                {QStringLiteral("--lever-steps=116"), QStringLiteral("--eccentric-steps=300"),
                 QStringLiteral("--speed=1000"), QStringLiteral("--plot-dir"), folder.path()});
  ASSERT_TRUE(process.waitForStarted());
  QByteArray out;
  // The header, the rows and the notes on the run's settings come before any picture.
  const qsizetype lines = 1 + 116 * 300 + 3;
  while (out.count('\n') < lines && process.waitForReadyRead(120000)) out += process.readAllStandardOutput();
  ASSERT_EQ(out.count('\n'), lines);
  ASSERT_EQ(::kill(pid_t(process.processId()), SIGINT), 0);
  QElapsedTimer clock;
  clock.start();
  ASSERT_TRUE(process.waitForFinished(120000));
  EXPECT_LT(clock.elapsed(), kSoonMs);
  EXPECT_EQ(process.exitCode(), 130);
  EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()).toStdString(),
            "torlin-modes: stopped while drawing the pictures; the rows are written\n");
}

// A failed write is reported with its own reason in one line and exit status 1, and
// the work stops there: a full disk, and a standard output the parent closed (which
// must not land in some file the program opened later).
TEST(ToolEndings, AFailedWriteStopsTheWorkAndNamesTheReason) {
  if (!QFile::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "no /dev/full on this system";
  struct Case {
    const char* command;  // $0 is torlin-lift, $1 torlin-modes
    const char* program;
    int error;
  };
  for (const Case& c : {Case{"\"$0\" --revolutions=1000000 >/dev/full", "torlin-lift", ENOSPC},
                        Case{"\"$0\" --help >/dev/full", "torlin-lift", ENOSPC},
                        Case{"\"$0\" --version >&-", "torlin-lift", EBADF},
                        Case{"\"$1\" --speed=25 >/dev/full", "torlin-modes", ENOSPC},
                        Case{"\"$1\" --svaj=0,700 --step=0.001 >/dev/full", "torlin-modes", ENOSPC},
                        Case{"\"$1\" --help >/dev/full", "torlin-modes", ENOSPC},
                        Case{"\"$1\" --version >/dev/full", "torlin-modes", ENOSPC},
                        Case{"\"$1\" --lever-steps=2 >&-", "torlin-modes", EBADF}}) {
    QElapsedTimer clock;
    clock.start();
    const ToolRun run = RunShell(QLatin1String(c.command), {QStringLiteral("LC_ALL=C")});
    ASSERT_TRUE(run.finished) << c.command;
    EXPECT_LT(clock.elapsed(), kPromptlyMs) << c.command;  // the whole runs take far longer
    EXPECT_EQ(run.exitCode, 1) << c.command;
    EXPECT_EQ(run.err.toStdString(),
              std::string(c.program) + ": could not write to standard output: " + std::strerror(c.error) + "\n")
        << c.command;
  }
}

// A file that cannot take more (here by the file size limit; a full disk alike) keeps
// whole rows only: the torn end of the last write is cut off.
TEST(ToolEndings, AFileThatFillsUpEndsWithAWholeRow) {
  QTemporaryDir folder;
  for (const char* tool : {"$0", "$1"}) {
    const QString file = folder.filePath(QStringLiteral("rows.csv"));
    const ToolRun run = RunShell(QStringLiteral("trap '' XFSZ; ulimit -f 9; \"%1\" --speed=25 > '%2'")
                                     .arg(QLatin1String(tool), file),
                                 {QStringLiteral("LC_ALL=C")});
    ASSERT_TRUE(run.finished) << tool;
    EXPECT_EQ(run.exitCode, 1) << tool;
    EXPECT_TRUE(run.err.endsWith(QStringLiteral(": could not write to standard output: %1\n")
                                     .arg(QLatin1String(std::strerror(EFBIG)))))
        << run.err.toStdString();
    QFile rows(file);
    ASSERT_TRUE(rows.open(QIODevice::ReadOnly));
    const QByteArray written = rows.readAll();
    EXPECT_GT(written.size(), 4000) << tool;
    EXPECT_LE(written.size(), 9 * 1024) << tool;  // bash counts the limit in KiB
    ExpectWholeRows(written, tool);
  }
}

// A reader that stops early ends either tool through SIGPIPE (status 128 + 13)
// without a message, whether or not the parent ignores the signal.
TEST(ToolEndings, AReaderThatStopsEarlyEndsItQuietly) {
  for (const char* parent : {"", "trap '' PIPE; "}) {
    for (const char* command : {"\"$0\" --revolutions=1000000", "\"$1\" --speed=25"}) {
      QElapsedTimer clock;
      clock.start();
      const ToolRun run = RunShell(QLatin1String(parent) + QLatin1String(command) +
                                   QStringLiteral(" | head -1 >/dev/null; echo \"${PIPESTATUS[0]}\""));
      ASSERT_TRUE(run.finished) << parent << command;
      EXPECT_LT(clock.elapsed(), kPromptlyMs) << parent << command;
      EXPECT_EQ(run.out.toStdString(), "141\n") << parent << command;
      EXPECT_TRUE(run.err.isEmpty()) << parent << command << run.err.toStdString();
    }
  }
}

}  // namespace
