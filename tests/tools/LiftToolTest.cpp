#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <system_error>

#include "LiftRun.h"
#include "torlin/Version.h"

namespace {

// The row of the same cam angle one revolution later, or nullptr.
const Row* OneRevolutionLater(const std::vector<Row>& rows, const Row& row) {
  for (const Row& other : rows) {
    if (other.revolution == row.revolution + 1 && other.camAngle == row.camAngle) return &other;
  }
  return nullptr;
}

TEST(LiftTool, DefaultsGiveTwoRevolutionsOfFramesAtFourDegrees) {
  const ToolRun run = RunLift({});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_TRUE(run.err.isEmpty());
  ASSERT_FALSE(run.out.isEmpty());
  EXPECT_EQ(Lines(run.out).first().toStdString(), kLiftHeader);

  // The start-up frame at 0 degrees is left out: revolution 1 begins at 4 degrees.
  const std::vector<Row> rows = Rows(run);
  ASSERT_EQ(rows.size(), 179u);
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].revolution, long((i + 1) / 90 + 1)) << i;
    EXPECT_EQ(rows[i].camAngle, 4.0 * ((i + 1) % 90)) << i;
    ASSERT_EQ(rows[i].fields.size(), kLiftColumns) << i;
  }
}

// Once running, the mechanism repeats itself revolution after revolution, so every
// reported frame, the first included, must match its twin one revolution later.
TEST(LiftTool, EveryReportedFrameIsARealPosition) {
  for (const QStringList& settings :
       {QStringList{}, QStringList{QStringLiteral("--lever=0"), QStringLiteral("--eccentric=700")},
        QStringList{QStringLiteral("--speed=1000")}, QStringList{QStringLiteral("--lever=115")}}) {
    const ToolRun run = RunLift(settings + QStringList{QStringLiteral("--revolutions=2")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const std::vector<Row> rows = Rows(run);
    ASSERT_FALSE(rows.empty());
    for (const Row& row : rows) {
      if (row.revolution != rows.front().revolution) break;
      const Row* twin = OneRevolutionLater(rows, row);
      ASSERT_NE(twin, nullptr) << settings.join(' ').toStdString() << " at " << row.camAngle;
      EXPECT_EQ(row.Position(), twin->Position()) << settings.join(' ').toStdString() << " at " << row.camAngle;
    }
  }
}

TEST(LiftTool, AllFramesKeepsTheStartUpFrameOnly) {
  const QStringList twoRevolutions{QStringLiteral("--lever=0"), QStringLiteral("--eccentric=700")};
  const ToolRun real = RunLift(twoRevolutions);
  const ToolRun all = RunLift(twoRevolutions + QStringList{QStringLiteral("--all-frames")});
  ASSERT_EQ(all.exitCode, 0) << all.err.toStdString();
  const std::vector<Row> allRows = Rows(all);
  ASSERT_EQ(allRows.size(), Rows(real).size() + 1);
  EXPECT_EQ(allRows.front().revolution, 1);
  EXPECT_EQ(allRows.front().camAngle, 0.0);
  // The start-up frame's lift is far beyond what the mechanism reaches (about 12 mm).
  EXPECT_LT(allRows.front().fields[8].toDouble(), -15.0);
  QStringList rest = Lines(all.out);
  rest.removeAt(1);
  EXPECT_EQ(rest, Lines(real.out));

  // At another speed the first revolution restarts, and its erase pass turns the
  // lever curve: there is no start-up frame to leave out.
  const QStringList fast{QStringLiteral("--speed=1000"), QStringLiteral("--revolutions=1")};
  EXPECT_EQ(RunLift(fast + QStringList{QStringLiteral("--all-frames")}).out, RunLift(fast).out);
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
    EXPECT_EQ(Rows(run).size(), 89u);
    EXPECT_NE(run.out, defaults.out) << changed.join(' ').toStdString();
  }
}

// Every number is in the shortest form that reads back to the same double; counts
// are whole numbers.
TEST(LiftTool, NumbersAreShortestExactWithADecimalPoint) {
  const std::vector<Row> rows = Rows(RunLift({QStringLiteral("--lever=0"), QStringLiteral("--eccentric=700"),
                                              QStringLiteral("--speed=25"), QStringLiteral("--revolutions=1")}));
  ASSERT_EQ(rows.size(), 1437u);  // 0 to 359 degrees
  bool sawFraction = false;
  for (const Row& row : rows) {
    for (qsizetype f = 1; f < row.fields.size(); ++f) {
      const std::string text = row.fields[f].toStdString();
      double value = 0;
      const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
      ASSERT_TRUE(parsed.ec == std::errc() && parsed.ptr == text.data() + text.size()) << text;
      char again[32];
      const auto written = std::to_chars(again, again + sizeof again, value);
      EXPECT_EQ(text, std::string(again, written.ptr));
      sawFraction = sawFraction || text.find('.') != std::string::npos;
    }
    for (qsizetype f : {0, 2, 3}) {
      bool whole = false;
      row.fields[f].toLong(&whole);
      EXPECT_TRUE(whole) << row.fields[f].toStdString();
    }
  }
  EXPECT_TRUE(sawFraction);
  EXPECT_EQ(rows[1].fields[1].toStdString(), "0.25");  // a quarter degree per frame
  EXPECT_EQ(rows[2].fields[1].toStdString(), "0.5");
}

// camAngle_deg is the loop's running sum with its rounding; crank_deg is twice it
// rounded to 1/100 degree, and lift_mm is -valveY_mm.
TEST(LiftTool, CrankAndLiftColumnsRoundAndNegateTheLoopsValues) {
  const std::vector<Row> rows = Rows(RunLift({QStringLiteral("--speed=37"), QStringLiteral("--revolutions=1")}));
  ASSERT_GT(rows.size(), 900u);
  bool sawTheSumsRounding = false;
  for (const Row& row : rows) {
    const QString& crank = row.fields[9];
    EXPECT_LE(crank.section(QLatin1Char('.'), 1).size(), 2) << crank.toStdString();
    EXPECT_EQ(crank.toDouble(), std::round(200 * row.camAngle) / 100) << crank.toStdString();
    EXPECT_EQ(row.fields[10].toDouble(), -row.fields[8].toDouble());
    sawTheSumsRounding = sawTheSumsRounding || row.fields[1].size() > 12;
  }
  EXPECT_TRUE(sawTheSumsRounding);  // what --help says of camAngle_deg
}

}  // namespace

namespace {

// The rows end with notes of what they depend on: the program, the design and the bars.
TEST(LiftTool, RowsEndWithNotesOfTheProgramDesignAndBars) {
  const ToolRun run = RunLift({QStringLiteral("--lever=0"), QStringLiteral("--eccentric=700"),
                               QStringLiteral("--speed=100"), QStringLiteral("--revolutions=1")});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const std::map<QString, QString> expected = {
      {QStringLiteral("program"), QStringLiteral("torlin-lift ") + QLatin1String(kTorlinVersion)},
      {QStringLiteral("design"), QStringLiteral("built-in (the window's)")},
      {QStringLiteral("lever"), QStringLiteral("0")},
      {QStringLiteral("eccentric"), QStringLiteral("700")},
      {QStringLiteral("windowSpeed_camDegPerFrame"), QStringLiteral("1")},
  };
  EXPECT_EQ(Notes(run.out), expected);
  EXPECT_TRUE(AllLines(run.out).last().startsWith(QLatin1String("# ")));
  EXPECT_EQ(AllLines(run.out).size(), Lines(run.out).size() + qsizetype(expected.size()));
}

}  // namespace
