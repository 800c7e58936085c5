#include <gtest/gtest.h>

#include <QRegularExpression>
#include <ostream>
#include <string>

#include "LiftRun.h"
#include "torlin/Version.h"

namespace {

struct BadOption {
  const char* name;
  QStringList arguments;
  const char* mentions;  // the option as written, and its range where it has one
};

void PrintTo(const BadOption& bad, std::ostream* os) { *os << bad.arguments.join(' ').toStdString(); }

class LiftToolBadOption : public testing::TestWithParam<BadOption> {};

// One line on stderr in one style: the program's name, a lower-case phrase, no full
// stop; exit status 2 and nothing on stdout.
TEST_P(LiftToolBadOption, OneLineInOneStyleExitTwoNothingOnStdout) {
  const ToolRun run = RunLift(GetParam().arguments);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
  ASSERT_TRUE(run.err.endsWith(QLatin1Char('\n')));
  EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains(QLatin1String(GetParam().mentions))) << run.err.toStdString();
  const QString prefix = QStringLiteral("torlin-lift: ");
  ASSERT_TRUE(run.err.startsWith(prefix)) << run.err.toStdString();
  const QChar first = run.err[prefix.size()];
  EXPECT_TRUE(first.isLower() || first == QLatin1Char('-')) << run.err.toStdString();
  EXPECT_FALSE(run.err.endsWith(QLatin1String(".\n"))) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Each, LiftToolBadOption,
    testing::Values(BadOption{"LeverAboveRange", {"--lever", "116"}, "--lever takes a whole number from 0 to 115, not '116'"},
                    BadOption{"LeverBelowRange", {"--lever", "-1"}, "--lever takes a whole number from 0 to 115"},
                    BadOption{"LeverNotANumber", {"--lever=abc"}, "--lever takes a whole number from 0 to 115"},
                    BadOption{"LeverFraction", {"--lever=2.5"}, "--lever takes a whole number from 0 to 115"},
                    BadOption{"LeverMissing", {"--lever"}, "--lever takes a whole number from 0 to 115"},
                    BadOption{"EccentricBelowRange", {"--eccentric", "-96"}, "--eccentric takes a whole number from -95 to 700"},
                    BadOption{"EccentricAboveRange", {"--eccentric=701"}, "--eccentric takes a whole number from -95 to 700"},
                    BadOption{"SpeedBelowRange", {"--speed", "24"}, "--speed takes a whole number from 25 to 1000"},
                    BadOption{"SpeedAboveRange", {"--speed=1001"}, "--speed takes a whole number from 25 to 1000"},
                    BadOption{"SpeedEmpty", {"--speed="}, "--speed takes a whole number from 25 to 1000"},
                    BadOption{"RevolutionsZero", {"--revolutions", "0"}, "--revolutions takes a whole number from 1 to 1000000"},
                    BadOption{"RevolutionsOverflow", {"--revolutions=99999999999"}, "--revolutions takes a whole number from 1 to 1000000"},
                    BadOption{"RevolutionsMissing", {"--revolutions"}, "--revolutions takes a whole number from 1 to 1000000, but none was given"},
                    BadOption{"Repeated", {"--lever=10", "--lever=20"}, "--lever is given more than once"},
                    BadOption{"RepeatedSwitch", {"--all-frames", "--all-frames"}, "--all-frames is given more than once"},
                    // Values are quoted with control characters escaped: one line, no raw escape.
                    BadOption{"LineBreakInValue", {"--lever", "6\n0"}, "not '6\\n0'"},
                    BadOption{"TerminalEscapeInValue", {"--lever", "\x1b[31mred"}, "not '\\x1b[31mred'"},
                    BadOption{"UnknownOption", {"--bogus=1"}, "unknown option '--bogus'"},
                    BadOption{"UnknownShortOption", {"-x"}, "unknown option '-x'"},
                    BadOption{"SwitchWithValue", {"--all-frames=yes"}, "--all-frames takes no value, not 'yes'"},
                    BadOption{"HelpWithValue", {"--help=1"}, "--help takes no value"},
                    BadOption{"PositionalArgument", {"stray"}, "unexpected argument 'stray'"}),
    [](const testing::TestParamInfo<BadOption>& info) { return std::string(info.param.name); });

TEST(LiftTool, HelpListsOptionsColumnsAndOneRunnableExampleWithinEightyColumns) {
  const ToolRun run = RunLift({QStringLiteral("--help")});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(run.err.isEmpty());
  for (const char* text : {"--lever", "0 to 115", "--eccentric", "-95 to 700", "--speed", "25 to 1000",
                           "--revolutions", "1 to 1000000", "--all-frames", "--version", "SIGPIPE"}) {
    EXPECT_TRUE(run.out.contains(QLatin1String(text))) << text;
  }
  for (const QString& column : QString::fromLatin1(kLiftHeader).split(QLatin1Char(','))) {
    EXPECT_TRUE(run.out.contains(QRegularExpression(QStringLiteral("\\n  (\\w+, )?%1\\b").arg(column))))
        << column.toStdString();
  }

  const QStringList lines = run.out.split(QLatin1Char('\n'));
  for (const QString& line : lines) EXPECT_LE(line.size(), 80) << line.toStdString();

  const qsizetype example = lines.indexOf(QStringLiteral("Example:"));
  ASSERT_GE(example, 0);
  EXPECT_EQ(lines.lastIndexOf(QStringLiteral("Example:")), example);
  QStringList command = lines.value(example + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  ASSERT_EQ(command.value(0).toStdString(), "torlin-lift");
  command.removeFirst();
  const ToolRun exampleRun = RunLift(command);
  EXPECT_EQ(exampleRun.exitCode, 0) << exampleRun.err.toStdString();
  EXPECT_GT(Rows(exampleRun).size(), 1u);
}

TEST(LiftTool, VersionIsTheProjectVersion) {
  const ToolRun run = RunLift({QStringLiteral("--version")});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(run.err.isEmpty());
  EXPECT_EQ(run.out.toStdString(), std::string("torlin-lift ") + kTorlinVersion + "\n");
}

}  // namespace
