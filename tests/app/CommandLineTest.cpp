// --help and --version answer without a display; anything Qt does not take is a
// mistake told in one line.
#include <gtest/gtest.h>

#include "ProgramRun.h"

#include "torlin/Version.h"

namespace {

ProgramOutcome RunTorlin(const QStringList& arguments, bool withDisplay) {
  QProcessEnvironment environment = WithoutDisplay();
  if (withDisplay) environment.insert("QT_QPA_PLATFORM", "offscreen");
  return RunProgram(environment, arguments);
}

}  // namespace

TEST(CommandLine, HelpAndVersionAnswerWithoutADisplay) {
  for (const char* help : {"--help", "-h"}) {
    const ProgramOutcome outcome = RunTorlin({help}, false);
    EXPECT_EQ(outcome.status, 0) << help;
    EXPECT_TRUE(outcome.output.startsWith("Usage: torlin [options]\n")) << outcome.output.toStdString();
    EXPECT_TRUE(outcome.output.contains("--version"));
    for (const QString& line : outcome.output.split('\n')) EXPECT_LE(line.size(), 80) << line.toStdString();
    EXPECT_TRUE(outcome.errors.isEmpty()) << outcome.errors.toStdString();
  }
  // Qt's own options may stand before them.
  for (const QStringList& arguments : {QStringList{"--version"}, QStringList{"-v"}, QStringList{"-platform", "xcb", "--version"}}) {
    const ProgramOutcome outcome = RunTorlin(arguments, false);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.output, QString("torlin %1\n").arg(kTorlinVersion));
  }
}

// Mistakes are found before the display is looked for: without one, they are told
// as mistakes (status 2), not as a missing display.
TEST(CommandLine, UnknownOptionsAndArgumentsAreRejectedInOneLineBeforeTheDisplay) {
  for (bool withDisplay : {false, true}) {
    const ProgramOutcome option = RunTorlin({"--frobnicate"}, withDisplay);
    EXPECT_EQ(option.status, 2);
    EXPECT_EQ(option.errors, "torlin: unknown option 'frobnicate' (see torlin --help)");

    const ProgramOutcome argument = RunTorlin({"-platform", "offscreen", "file.txt"}, withDisplay);
    EXPECT_EQ(argument.status, 2);
    EXPECT_EQ(argument.errors, "torlin: unexpected argument 'file.txt' (see torlin --help)");

    const ProgramOutcome missing = RunTorlin({"-style"}, withDisplay);
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.errors, "torlin: missing value after '-style' (see torlin --help)");
  }
}

// A help or version that cannot be written is a failure, told with its reason.
TEST(CommandLine, AnswersThatCannotBeWrittenAreReported) {
  for (const char* request : {"--help", "--version"}) {
    QProcess torlin;
    torlin.setProcessEnvironment(WithoutDisplay());
    torlin.setStandardOutputFile(QStringLiteral("/dev/full"));
    torlin.start(QStringLiteral(TORLIN_BINARY), {request});
    ASSERT_TRUE(torlin.waitForFinished(30000));
    EXPECT_EQ(torlin.exitCode(), 1) << request;
    const QString errors = QString::fromLocal8Bit(torlin.readAllStandardError()).trimmed();
    EXPECT_TRUE(errors.startsWith("torlin: cannot write the ")) << errors.toStdString();
    EXPECT_TRUE(errors.endsWith("No space left on device")) << errors.toStdString();
  }
}
