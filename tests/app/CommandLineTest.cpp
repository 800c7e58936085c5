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

TEST(CommandLine, UnknownOptionsAndArgumentsAreRejectedInOneLine) {
  const ProgramOutcome option = RunTorlin({"--frobnicate"}, true);
  EXPECT_EQ(option.status, 2);
  EXPECT_TRUE(option.errors.endsWith("torlin: unknown option 'frobnicate' (see torlin --help)"))
      << option.errors.toStdString();

  const ProgramOutcome argument = RunTorlin({"file.txt"}, true);
  EXPECT_EQ(argument.status, 2);
  EXPECT_TRUE(argument.errors.endsWith("torlin: unexpected argument 'file.txt' (see torlin --help)"));
}
