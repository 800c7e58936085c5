#include <gtest/gtest.h>

#include <signal.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "LiftRun.h"

namespace {

// Runs torlin-modes in a German locale, where the decimal mark is a comma.
ToolRun RunModes(const QStringList& arguments) {
  return RunProgram(QStringLiteral(TORLIN_MODES_PATH), arguments, {QStringLiteral("LC_ALL=de_DE.UTF-8")});
}

const char* const kHeader =
    "lever,eccentric,leverAngle_rad,eccentricAngle_deg,maxLift_mm,maxLiftAt_crankDeg,opens,opening0.1mm_crankDeg,"
    "closing0.1mm_crankDeg,duration0.1mm_crankDeg,opening1mm_crankDeg,closing1mm_crankDeg,duration1mm_crankDeg,"
    "unsolvedFrames";
constexpr int kColumns = 14;
enum Column { kLever, kEccentric, kLeverAngle, kEccentricAngle, kMaxLift, kMaxLiftAt, kOpens, kOpening01, kClosing01,
              kDuration01, kOpening1, kClosing1, kDuration1, kUnsolved };

// A cell as a number read the C way, the whole cell; empty if the cell is empty.
std::optional<double> Number(const QString& cell) {
  if (cell.isEmpty()) return std::nullopt;
  const std::string text = cell.toStdString();
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  EXPECT_EQ(*end, '\0') << text;
  return value;
}

std::vector<QStringList> ModeRows(const ToolRun& run) {
  std::vector<QStringList> rows;
  const QStringList lines = Lines(run.out);
  for (qsizetype i = 1; i < lines.size(); ++i) rows.push_back(lines[i].split(QLatin1Char(',')));
  return rows;
}

TEST(ModesTool, EvenlySpreadGridWithWholeNumbersInAnyLocale) {
  const ToolRun run = RunModes({QStringLiteral("--lever-steps=3"), QStringLiteral("--eccentric-steps"), QStringLiteral("2")});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
  EXPECT_EQ(Lines(run.out).value(0).toStdString(), kHeader);
  const std::vector<QStringList> rows = ModeRows(run);
  ASSERT_EQ(rows.size(), 6u);
  const int modes[6][2] = {{0, -95}, {0, 700}, {58, -95}, {58, 700}, {115, -95}, {115, 700}};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const QStringList& row = rows[i];
    ASSERT_EQ(row.size(), kColumns) << i;
    EXPECT_EQ(row[kLever].toInt(), modes[i][0]);
    EXPECT_EQ(row[kEccentric].toInt(), modes[i][1]);
    EXPECT_EQ(*Number(row[kLeverAngle]), -modes[i][0] / 300.0);
    EXPECT_EQ(*Number(row[kEccentricAngle]), modes[i][1] / 10.0);
    for (const QString& cell : row) {
      EXPECT_FALSE(cell.contains(QLatin1String("nan"), Qt::CaseInsensitive) || cell.contains(QLatin1String("inf")));
      Number(cell);  // each cell, if not empty, is a whole C number
    }
    EXPECT_EQ(row[kUnsolved], QStringLiteral("0"));
  }
  // With the eccentric at -95 the valve stays shut: no timing is made up for it.
  for (std::size_t i : {0u, 2u, 4u}) {
    EXPECT_EQ(rows[i][kOpens], QStringLiteral("0"));
    for (int c = kOpening01; c <= kDuration1; ++c) EXPECT_TRUE(rows[i][c].isEmpty()) << i << " " << c;
  }
  EXPECT_EQ(rows[1][kOpens], QStringLiteral("1"));
  EXPECT_GT(*Number(rows[1][kDuration01]), *Number(rows[1][kDuration1]));
}

TEST(ModesTool, ExplicitGridRunsFromFirstByStepNotPastLast) {
  const ToolRun run = RunModes({QStringLiteral("--lever"), QStringLiteral("10:20:4"), QStringLiteral("--eccentric=700:700:1")});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  std::vector<int> levers;
  for (const QStringList& row : ModeRows(run)) {
    levers.push_back(row[kLever].toInt());
    EXPECT_EQ(row[kEccentric].toInt(), 700);
  }
  EXPECT_EQ(levers, (std::vector<int>{10, 14, 18}));
}

struct LiftFrame {
  double crankDeg;
  double liftMm;
};

// The last revolution torlin-lift reports for a mode: a steady one.
std::vector<LiftFrame> LiftToolRevolution(int lever, int eccentric, int speed) {
  const ToolRun run = RunLift({QStringLiteral("--lever=%1").arg(lever), QStringLiteral("--eccentric=%1").arg(eccentric),
                               QStringLiteral("--speed=%1").arg(speed), QStringLiteral("--revolutions=2")});
  EXPECT_EQ(run.exitCode, 0);
  const QStringList lines = Lines(run.out);
  const QString last = lines.last().section(QLatin1Char(','), 0, 0);
  std::vector<LiftFrame> frames;
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QStringList fields = lines[i].split(QLatin1Char(','));
    if (fields[0] == last) frames.push_back({*Number(fields[9]), *Number(fields[10])});
  }
  return frames;
}

TEST(ModesTool, RowsAgreeWithTheLiftToolsFrames) {
  struct Mode {
    int lever, eccentric, speed;
  };
  for (const Mode m : {Mode{0, 700, 400}, Mode{60, 200, 400}, Mode{30, 400, 400}, Mode{115, -95, 400},
                       Mode{37, 513, 1000}, Mode{90, 650, 250}}) {
    SCOPED_TRACE(testing::Message() << "lever " << m.lever << " eccentric " << m.eccentric << " speed " << m.speed);
    const std::vector<LiftFrame> frames = LiftToolRevolution(m.lever, m.eccentric, m.speed);
    ASSERT_GT(frames.size(), 30u);
    const ToolRun run = RunModes({QStringLiteral("--lever=%1:%1:1").arg(m.lever),
                                  QStringLiteral("--eccentric=%1:%1:1").arg(m.eccentric),
                                  QStringLiteral("--speed=%1").arg(m.speed)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const std::vector<QStringList> rows = ModeRows(run);
    ASSERT_EQ(rows.size(), 1u);
    const QStringList& row = rows[0];

    LiftFrame highest = frames[0];
    for (const LiftFrame& f : frames) {
      if (f.liftMm > highest.liftMm) highest = f;
    }
    EXPECT_EQ(*Number(row[kMaxLift]), highest.liftMm);
    EXPECT_EQ(*Number(row[kMaxLiftAt]), highest.crankDeg);

    // Every mode here is shut at the start of the revolution, so its first rise
    // through 1 mm opens it and its last fall through 1 mm closes it.
    std::optional<std::size_t> rise, fall;
    for (std::size_t i = 0; i + 1 < frames.size(); ++i) {
      if (!rise && frames[i].liftMm < 1 && frames[i + 1].liftMm >= 1) rise = i;
      if (frames[i].liftMm >= 1 && frames[i + 1].liftMm < 1) fall = i;
    }
    ASSERT_EQ(rise.has_value(), !row[kOpening1].isEmpty());
    if (!rise) continue;
    EXPECT_GT(*Number(row[kOpening1]), frames[*rise].crankDeg);
    EXPECT_LE(*Number(row[kOpening1]), frames[*rise + 1].crankDeg);
    EXPECT_GE(*Number(row[kClosing1]), frames[*fall].crankDeg);
    EXPECT_LT(*Number(row[kClosing1]), frames[*fall + 1].crankDeg);
    EXPECT_DOUBLE_EQ(*Number(row[kDuration1]), *Number(row[kClosing1]) - *Number(row[kOpening1]));
  }
}

struct BadOption {
  const char* name;
  QStringList arguments;
  const char* mentions;
};

void PrintTo(const BadOption& bad, std::ostream* os) { *os << bad.arguments.join(' ').toStdString(); }

class ModesToolBadOption : public testing::TestWithParam<BadOption> {};

TEST_P(ModesToolBadOption, OneLineOnStderrExitTwoNothingOnStdout) {
  const ToolRun run = RunModes(GetParam().arguments);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
  ASSERT_TRUE(run.err.startsWith(QLatin1String("torlin-modes: "))) << run.err.toStdString();
  EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
  EXPECT_TRUE(run.err.endsWith(QLatin1Char('\n')));
  EXPECT_TRUE(run.err.contains(QLatin1String(GetParam().mentions))) << run.err.toStdString();
}

const char* const kLeverGrid = "--lever takes FIRST:LAST:STEP, whole numbers with 0 <= FIRST <= LAST <= 115 and STEP >= 1";
const char* const kCurves = "--curves takes up to 12 LEVER,ECCENTRIC pairs";

INSTANTIATE_TEST_SUITE_P(
    Each, ModesToolBadOption,
    testing::Values(
        BadOption{"OneLeverStep", {"--lever-steps=1"}, "--lever-steps takes a whole number from 2 to 116"},
        BadOption{"MoreLeverStepsThanValues", {"--lever-steps=117"}, "--lever-steps takes a whole number from 2 to 116"},
        BadOption{"MoreEccentricStepsThanValues", {"--eccentric-steps", "797"}, "--eccentric-steps takes a whole number from 2 to 796"},
        BadOption{"StepsNotANumber", {"--eccentric-steps=many"}, "--eccentric-steps takes a whole number"},
        BadOption{"GridBackwards", {"--lever=20:10:1"}, kLeverGrid},
        BadOption{"GridPastTheBar", {"--lever=0:116:1"}, kLeverGrid},
        BadOption{"GridZeroStep", {"--lever=0:10:0"}, kLeverGrid},
        BadOption{"GridTwoParts", {"--lever=0:10"}, kLeverGrid},
        BadOption{"GridFraction", {"--lever=0:10:0.5"}, kLeverGrid},
        BadOption{"EccentricGridBelowTheBar", {"--eccentric=-96:0:5"}, "-95 <= FIRST <= LAST <= 700"},
        BadOption{"GridAndSteps", {"--lever=0:10:1", "--lever-steps=5"}, "--lever-steps or --lever, not both"},
        BadOption{"Repeated", {"--speed=100", "--speed=200"}, "--speed is given more than once"},
        BadOption{"EscapedValue", {"--plot-dir=x", "--curves=1,1\n\x1b[2J"}, "not '1,1\\n\\x1b[2J'"},
        BadOption{"SpeedBelowRange", {"--speed=24"}, "--speed takes a whole number from 25 to 1000"},
        BadOption{"SpeedMissing", {"--speed"}, "--speed takes a whole number from 25 to 1000, but none was given"},
        BadOption{"ThreadsZero", {"--threads=0"}, "--threads takes a whole number from 1 to 256"},
        BadOption{"CurveNotAPair", {"--plot-dir=x", "--curves=60"}, kCurves},
        BadOption{"CurveOutOfRange", {"--plot-dir=x", "--curves=60,200 116,0"}, "not '60,200 116,0'"},
        BadOption{"CurvesEmpty", {"--plot-dir=x", "--curves= "}, kCurves},
        BadOption{"TooManyCurves", {"--plot-dir=x", "--curves=1,1 2,2 3,3 4,4 5,5 6,6 7,7 8,8 9,9 10,10 11,11 12,12 13,13"}, kCurves},
        BadOption{"CurvesWithoutPictures", {"--curves=60,200"}, "--curves needs --plot-dir DIR"},
        BadOption{"EmptyPlotDir", {"--plot-dir="}, "--plot-dir takes a folder name"},
        BadOption{"PlotDirIsAFile", {"--plot-dir=/etc/passwd"}, "--plot-dir '/etc/passwd' cannot be used: "},
        BadOption{"PlotDirUnderProc", {"--plot-dir=/proc/x"}, "--plot-dir '/proc/x' cannot be used: "},
        BadOption{"UnknownOption", {"--bogus"}, "bogus"},
        BadOption{"PositionalArgument", {"stray"}, "unexpected argument 'stray'"}),
    [](const testing::TestParamInfo<BadOption>& info) { return std::string(info.param.name); });

// The help names every option, both bars' units, every column any output has (the
// headers come from the run), the exit statuses, and examples that run; it fits 80
// columns.
TEST(ModesTool, HelpNamesOptionsUnitsColumnsAndExitStatuses) {
  const ToolRun run = RunModes({QStringLiteral("--help")});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(run.err.isEmpty());
  // The bars by what a user sees, not by the design's names for them.
  EXPECT_FALSE(run.out.contains(QLatin1String("Scroll"))) << run.out.toStdString();
  EXPECT_TRUE(run.out.contains(QLatin1String("the scroll bar under \"auto\"")));
  for (const char* text : {"Usage: torlin-modes", "--lever-steps", "--eccentric-steps", "FIRST:LAST:STEP", "--speed",
                           "25 to 1000", "--plot-dir", "--curves", "--threads", "--version", "1/300 rad",
                           "1/10 degree", "0.002 mm", "Exit status:", "130"}) {
    EXPECT_TRUE(run.out.contains(QLatin1String(text))) << text;
  }
  QStringList headers;
  for (const QStringList& arguments : {QStringList{QStringLiteral("--lever=0:0:1"), QStringLiteral("--eccentric=0:0:1"),
                                                   QStringLiteral("--exact")},
                                       QStringList{QStringLiteral("--svaj=0,0"), QStringLiteral("--step=360")},
                                       QStringList{QStringLiteral("--svaj=0,0"), QStringLiteral("--step=360"),
                                                   QStringLiteral("--rpm=1")}}) {
    headers += Lines(RunModes(arguments).out).value(0).split(QLatin1Char(','));
  }
  ASSERT_GE(headers.size(), 40);
  for (const QString& column : headers) {
    const QString alone = QRegularExpression::escape(column);
    const bool named = run.out.contains(QRegularExpression(QStringLiteral("(^|[ ,])%1([ ,:]|$)").arg(alone),
                                                           QRegularExpression::MultilineOption));
    const bool inExactRange = column.startsWith(QLatin1String("exact_")) &&
                              run.out.contains(QLatin1String("exact_maxLift_mm ... exact_duration1mm_crankDeg"));
    EXPECT_TRUE(named || inExactRange) << column.toStdString();
  }
  const QStringList lines = run.out.split(QLatin1Char('\n'));
  for (const QString& line : lines) EXPECT_LE(line.size(), 80) << line.toStdString();
  const qsizetype examples = lines.indexOf(QStringLiteral("Examples:"));
  ASSERT_GE(examples, 0);
  QStringList svaj = lines.value(examples + 2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  ASSERT_EQ(svaj.value(0), QStringLiteral("torlin-modes"));
  svaj = svaj.mid(1, svaj.indexOf(QStringLiteral(">")) - 1);
  EXPECT_EQ(RunModes(svaj).exitCode, 0) << svaj.join(' ').toStdString();

  const ToolRun version = RunModes({QStringLiteral("--version")});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_TRUE(version.out.startsWith(QLatin1String("torlin-modes "))) << version.out.toStdString();
}

TEST(ModesTool, PicturesAsPngAndSvg) {
  QTemporaryDir folder;
  const QString plots = folder.filePath(QStringLiteral("new/plots"));  // made with its parent
  const ToolRun run = RunModes({QStringLiteral("--lever-steps=6"), QStringLiteral("--eccentric-steps=5"),
                                QStringLiteral("--plot-dir"), plots, QStringLiteral("--curves"),
                                QStringLiteral("60,200  0,700")});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
  EXPECT_EQ(ModeRows(run).size(), 30u);
  for (const char* name : {"lift-duration", "max-lift-map", "duration-map", "lift-curves"}) {
    QFile png(QDir(plots).filePath(QLatin1String(name) + QStringLiteral(".png")));
    ASSERT_TRUE(png.open(QIODevice::ReadOnly)) << name;
    const QByteArray pixels = png.readAll();
    EXPECT_TRUE(pixels.startsWith("\x89PNG\r\n\x1a\n")) << name;
    EXPECT_GT(pixels.size(), 10000) << name;  // not an empty frame

    QFile svg(QDir(plots).filePath(QLatin1String(name) + QStringLiteral(".svg")));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly)) << name;
    const QByteArray vectors = svg.readAll();
    EXPECT_TRUE(vectors.contains("<svg")) << name;
    EXPECT_TRUE(vectors.contains("speed 400")) << name;  // the title names the settings
  }
  QFile curves(QDir(plots).filePath(QStringLiteral("lift-curves.svg")));
  ASSERT_TRUE(curves.open(QIODevice::ReadOnly));
  const QByteArray svg = curves.readAll();
  for (const char* text : {"crank angle (degrees)", "valve lift (mm)", "lever 60, eccentric 200", "lever 0, eccentric 700"}) {
    EXPECT_TRUE(svg.contains(text)) << text;
  }
}

// An unusable folder is found before any work: the whole default grid would
// otherwise be computed and printed first.
TEST(ModesTool, UnusablePlotFolderIsRefusedBeforeAnyWork) {
  QTemporaryDir folder;
  QFile blocker(folder.filePath(QStringLiteral("blocker")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const QString plots = folder.filePath(QStringLiteral("blocker/plots"));
  const ToolRun run = RunModes({QStringLiteral("--speed=25"), QStringLiteral("--plot-dir=") + plots});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
  // The reason is the system's, in the user's language.
  EXPECT_TRUE(run.err.startsWith(QStringLiteral("torlin-modes: --plot-dir '%1' cannot be used: ").arg(plots)))
      << run.err.toStdString();
}

}  // namespace
