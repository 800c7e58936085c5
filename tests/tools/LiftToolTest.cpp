#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct ToolRun {
  int exitCode = -1;
  QString out;
  QString err;
};

ToolRun RunLift(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral(TORLIN_LIFT_PATH), arguments);
  ToolRun run;
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return run;
  run.exitCode = process.exitCode();
  run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
  run.err = QString::fromLocal8Bit(process.readAllStandardError());
  return run;
}

QStringList Lines(const QString& text) { return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

struct Row {
  long revolution;
  double camAngle;
  QStringList fields;
};

std::vector<Row> Rows(const ToolRun& run) {
  std::vector<Row> rows;
  const QStringList lines = Lines(run.out);
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QStringList fields = lines[i].split(QLatin1Char(','));
    rows.push_back({fields.value(0).toLong(), fields.value(1).toDouble(), fields});
  }
  return rows;
}

const char* const kHeader = "revolution,camAngle,bestPitchIndex,bestLeverIndex,rollerX,rollerY,X,Y,valveY";

TEST(LiftTool, DefaultsGiveTwoRevolutionsOfFramesAtFourDegrees) {
  const ToolRun run = RunLift({});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_TRUE(run.err.isEmpty());
  ASSERT_FALSE(run.out.isEmpty());
  EXPECT_EQ(Lines(run.out).first().toStdString(), kHeader);

  const std::vector<Row> rows = Rows(run);
  ASSERT_EQ(rows.size(), 180u);
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].revolution, long(i / 90 + 1)) << i;
    EXPECT_EQ(rows[i].camAngle, 4.0 * (i % 90)) << i;
    ASSERT_EQ(rows[i].fields.size(), 9) << i;
  }
  // The mechanism repeats itself revolution after revolution once running.
  EXPECT_EQ(rows[95].fields.mid(2), rows[5].fields.mid(2));
}

TEST(LiftTool, NumbersCarrySeventeenSignificantDigitsAndRoundTrip) {
  const std::vector<Row> rows = Rows(RunLift({QStringLiteral("--revolutions"), QStringLiteral("1")}));
  ASSERT_EQ(rows.size(), 90u);
  int longestDigits = 0;
  for (const Row& row : rows) {
    for (qsizetype f = 4; f < row.fields.size(); ++f) {
      const std::string text = row.fields[f].toStdString();
      char* end = nullptr;
      const double value = std::strtod(text.c_str(), &end);
      ASSERT_EQ(*end, '\0') << text;
      char again[64];
      std::snprintf(again, sizeof again, "%.17g", value);
      EXPECT_EQ(text, again);
      int digits = 0;
      for (char c : text.substr(0, text.find_first_of("eE"))) digits += (c >= '0' && c <= '9');
      longestDigits = std::max(longestDigits, digits);
    }
    for (qsizetype f : {0, 2, 3}) {
      bool whole = false;
      row.fields[f].toLong(&whole);
      EXPECT_TRUE(whole) << row.fields[f].toStdString();
    }
  }
  EXPECT_GE(longestDigits, 17);
}

TEST(LiftTool, OptionsSetTheScrollBars) {
  const ToolRun fast = RunLift({QStringLiteral("--speed"), QStringLiteral("1000"), QStringLiteral("--revolutions"),
                            QStringLiteral("1")});
  ASSERT_EQ(fast.exitCode, 0) << fast.err.toStdString();
  const std::vector<Row> rows = Rows(fast);
  ASSERT_EQ(rows.size(), 36u);
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].revolution, 2);  // the first revolution restarted at the new speed
    EXPECT_EQ(rows[i].camAngle, 10.0 * i);
  }

  const ToolRun defaults = RunLift({QStringLiteral("--revolutions=1")});
  const ToolRun explicitDefaults = RunLift({QStringLiteral("--lever=60"), QStringLiteral("--eccentric=200"),
                                        QStringLiteral("--speed=400"), QStringLiteral("--revolutions=1")});
  EXPECT_EQ(explicitDefaults.out, defaults.out);
  for (const QStringList& changed : {QStringList{QStringLiteral("--lever=0")},
                                     QStringList{QStringLiteral("--eccentric"), QStringLiteral("-95")}}) {
    const ToolRun run = RunLift(changed + QStringList{QStringLiteral("--revolutions=1")});
    EXPECT_EQ(run.exitCode, 0) << changed.join(' ').toStdString();
    EXPECT_EQ(Rows(run).size(), 90u);
    EXPECT_NE(run.out, defaults.out) << changed.join(' ').toStdString();
  }
}

struct BadOption {
  const char* name;
  QStringList arguments;
  const char* mentions;  // the option and its range
};

void PrintTo(const BadOption& bad, std::ostream* os) { *os << bad.arguments.join(' ').toStdString(); }

class LiftToolBadOption : public testing::TestWithParam<BadOption> {};

TEST_P(LiftToolBadOption, OneLineOnStderrExitTwoNothingOnStdout) {
  const ToolRun run = RunLift(GetParam().arguments);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
  ASSERT_TRUE(run.err.endsWith(QLatin1Char('\n')));
  EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains(QLatin1String(GetParam().mentions))) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Each, LiftToolBadOption,
    testing::Values(BadOption{"LeverAboveRange", {"--lever", "116"}, "--lever takes a whole number from 0 to 115"},
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
                    BadOption{"RevolutionsMissing", {"--revolutions"}, "--revolutions takes a whole number from 1 to 1000000"},
                    BadOption{"UnknownOption", {"--bogus"}, "bogus"},
                    BadOption{"PositionalArgument", {"stray"}, "stray"}),
    [](const testing::TestParamInfo<BadOption>& info) { return std::string(info.param.name); });

TEST(LiftTool, HelpListsEveryOptionWithItsRange) {
  const ToolRun run = RunLift({QStringLiteral("--help")});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(run.err.isEmpty());
  for (const char* text : {"--lever", "0 to 115", "--eccentric", "-95 to 700", "--speed", "25 to 1000",
                           "--revolutions", "1 to 1000000"}) {
    EXPECT_TRUE(run.out.contains(QLatin1String(text))) << text;
  }
}

}  // namespace
