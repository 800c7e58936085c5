// torlin-modes --svaj and --exact, run as a person runs them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStringList>
#include <QTemporaryDir>
#include <cmath>
#include <string>
#include <vector>

#include "LiftRun.h"

namespace {

struct Output {
  int exitCode = -1;
  QStringList lines;  // standard output, line by line
  QString err;
};

// In a German locale, where the decimal mark is a comma.
Output Modes(const QStringList& arguments) {
  const ToolRun run =
      RunProgram(QStringLiteral(TORLIN_MODES_PATH), arguments, {QStringLiteral("LC_ALL=de_DE.UTF-8")});
  return {run.exitCode, Lines(run.out), run.err};
}

double Cell(const QStringList& cells, int column) {
  bool ok = false;
  const double value = QLocale::c().toDouble(cells.value(column), &ok);
  EXPECT_TRUE(ok) << cells.join(QLatin1Char(',')).toStdString() << " column " << column;
  return value;
}

TEST(ExactModesTool, SvajRowsAtEveryStepWithTheWindowsLiftAtItsFrames) {
  const Output run = Modes({QStringLiteral("--svaj"), QStringLiteral("0,700"), QStringLiteral("--step=0.5")});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.lines.value(0).toStdString(),
            "crank_deg,lift_mm,velocity_mmPerCrankDeg,acceleration_mmPerCrankDeg2,jerk_mmPerCrankDeg3,"
            "windowLift_mm,exactStatus");
  ASSERT_EQ(run.lines.size(), 1 + 1440);  // 0 to 719.5; the frames, every 8 degrees, fall on rows
  double highest = 0;
  int windowRows = 0;
  for (qsizetype i = 1; i < run.lines.size(); ++i) {
    const QStringList cells = run.lines[i].split(QLatin1Char(','));
    ASSERT_EQ(cells.size(), 7) << run.lines[i].toStdString();
    EXPECT_EQ(Cell(cells, 0), (i - 1) * 0.5);
    EXPECT_EQ(cells[6], QStringLiteral("placed"));
    highest = std::max(highest, Cell(cells, 1));
    const bool frame = std::fmod(Cell(cells, 0), 8) == 0;
    EXPECT_EQ(!cells[5].isEmpty(), frame) << run.lines[i].toStdString();
    if (!frame) continue;
    ++windowRows;
    EXPECT_NEAR(Cell(cells, 5), Cell(cells, 1), 0.035) << run.lines[i].toStdString();
  }
  EXPECT_EQ(windowRows, 90);
  EXPECT_NEAR(highest, 12.02, 0.01);
}

TEST(ExactModesTool, RpmGivesTheDerivativesByTime) {
  const Output byAngle = Modes({QStringLiteral("--svaj=60,200"), QStringLiteral("--step=5")});
  const Output byTime = Modes({QStringLiteral("--svaj=60,200"), QStringLiteral("--step=5"), QStringLiteral("--rpm=3000")});
  ASSERT_EQ(byAngle.exitCode, 0);
  ASSERT_EQ(byTime.exitCode, 0);
  EXPECT_TRUE(byTime.lines.value(0).contains(QStringLiteral("velocity_mmPerS,acceleration_mPerS2,jerk_mPerS3")));
  ASSERT_EQ(byTime.lines.size(), byAngle.lines.size());
  const double degreesPerSecond = 6 * 3000.0;
  for (qsizetype i = 1; i < byTime.lines.size(); ++i) {
    const QStringList a = byAngle.lines[i].split(QLatin1Char(','));
    const QStringList t = byTime.lines[i].split(QLatin1Char(','));
    EXPECT_EQ(Cell(t, 1), Cell(a, 1));
    EXPECT_NEAR(Cell(t, 2), Cell(a, 2) * degreesPerSecond, 1e-9 * std::abs(Cell(t, 2)) + 1e-12);
    EXPECT_NEAR(Cell(t, 3), Cell(a, 3) * std::pow(degreesPerSecond, 2) / 1000, 1e-9 * std::abs(Cell(t, 3)) + 1e-12);
    EXPECT_NEAR(Cell(t, 4), Cell(a, 4) * std::pow(degreesPerSecond, 3) / 1000, 1e-9 * std::abs(Cell(t, 4)) + 1e-9);
  }
}

TEST(ExactModesTool, BadSvajInputIsOneLineAndExitTwo) {
  const std::vector<QStringList> bad = {
      {QStringLiteral("--svaj=116,200")},         {QStringLiteral("--svaj=60,701")},
      {QStringLiteral("--svaj=60")},              {QStringLiteral("--svaj=60,200,1")},
      {QStringLiteral("--svaj=sixty,200")},       {QStringLiteral("--svaj=60,200"), QStringLiteral("--step=0")},
      {QStringLiteral("--svaj=60,200"), QStringLiteral("--step=-0.5")},
      {QStringLiteral("--svaj=60,200"), QStringLiteral("--step=nan")},
      {QStringLiteral("--svaj=60,200"), QStringLiteral("--rpm=0")},
      {QStringLiteral("--svaj=60,200"), QStringLiteral("--rpm=-100")},
      {QStringLiteral("--rpm=3000")},             {QStringLiteral("--svaj=60,200"), QStringLiteral("--exact")},
      {QStringLiteral("--svaj")},
  };
  for (const QStringList& arguments : bad) {
    const Output run = Modes(arguments);
    EXPECT_EQ(run.exitCode, 2) << arguments.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(run.lines.isEmpty()) << arguments.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("torlin-modes: "))) << run.err.toStdString();
    EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
  }
}

TEST(ExactModesTool, SvajPicturesAsPngAndSvg) {
  QTemporaryDir folder;
  const QString plots = folder.filePath(QStringLiteral("svaj"));
  const Output run = Modes({QStringLiteral("--svaj=94,700"), QStringLiteral("--step=2"), QStringLiteral("--plot-dir"), plots});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  for (const char* name : {"svaj.png", "svaj.svg", "window-vs-exact.png", "window-vs-exact.svg"}) {
    QFile file(QDir(plots).filePath(QLatin1String(name)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    EXPECT_GT(file.size(), 10000) << name;
  }
  QFile svg(QDir(plots).filePath(QStringLiteral("window-vs-exact.svg")));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(svg.readAll());
  EXPECT_TRUE(text.contains(QStringLiteral("window minus exact"))) << "the difference's axis title";
}

TEST(ExactModesTool, BarValuesBetweenWholeNumbersAreTheExactModelsAlone) {
  // The largest lift at half a lever step lies strictly between its two neighbours':
  // the value is taken as given, not rounded to a bar the window has.
  const auto largestLift = [](const QString& mode, bool window) {
    const Output run = Modes({QStringLiteral("--svaj"), mode, QStringLiteral("--step=0.5")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.lines.size(), 1 + 1440) << mode.toStdString();
    double largest = 0;
    int windowCells = 0;
    for (qsizetype i = 1; i < run.lines.size(); ++i) {
      const QStringList cells = run.lines[i].split(QLatin1Char(','));
      largest = std::max(largest, Cell(cells, 1));
      windowCells += cells.value(5).isEmpty() ? 0 : 1;
    }
    EXPECT_EQ(windowCells, window ? 90 : 0) << mode.toStdString();
    return largest;
  };
  const double between = largestLift(QStringLiteral("60.5,200"), false);
  EXPECT_LT(between, largestLift(QStringLiteral("60,200"), true) - 0.01);
  EXPECT_GT(between, largestLift(QStringLiteral("61,200"), true) + 0.01);
  EXPECT_EQ(largestLift(QStringLiteral("60.0,200.0"), true), largestLift(QStringLiteral("60,200"), true));

  // Pictures: the exact curve alone, and no window to set against it.
  QTemporaryDir folder;
  const QString svaj = folder.filePath(QStringLiteral("svaj"));
  ASSERT_EQ(Modes({QStringLiteral("--svaj=37.25,412.5"), QStringLiteral("--step=2"), QStringLiteral("--plot-dir"), svaj})
                .exitCode,
            0);
  EXPECT_TRUE(QFile::exists(QDir(svaj).filePath(QStringLiteral("svaj.png"))));
  EXPECT_FALSE(QFile::exists(QDir(svaj).filePath(QStringLiteral("window-vs-exact.png"))));
  const QString map = folder.filePath(QStringLiteral("map"));
  ASSERT_EQ(Modes({QStringLiteral("--lever=60:61:1"), QStringLiteral("--eccentric=200:200:1"), QStringLiteral("--curves"),
                   QStringLiteral("37.25,412.5 60,200"), QStringLiteral("--plot-dir"), map})
                .exitCode,
            0);
  QFile curves(QDir(map).filePath(QStringLiteral("lift-curves.svg")));
  ASSERT_TRUE(curves.open(QIODevice::ReadOnly));
  const QByteArray text = curves.readAll();
  EXPECT_TRUE(text.contains("lever 37.25, eccentric 412.5 (exact model)"));
  EXPECT_TRUE(text.contains("lever 60, eccentric 200</text>")) << "the window's curve, named as before";
}

TEST(ExactModesTool, ExactMapAddsTheExactSummaryAndTheLargestDifference) {
  const Output plain = Modes({QStringLiteral("--lever=0:115:115"), QStringLiteral("--eccentric=200:700:500")});
  const Output exact =
      Modes({QStringLiteral("--lever=0:115:115"), QStringLiteral("--eccentric=200:700:500"), QStringLiteral("--exact")});
  ASSERT_EQ(exact.exitCode, 0) << exact.err.toStdString();
  ASSERT_EQ(exact.lines.size(), 5);
  const QStringList header = exact.lines[0].split(QLatin1Char(','));
  const int own = int(plain.lines[0].split(QLatin1Char(',')).size());
  ASSERT_EQ(header.size(), 2 * own - 5 + 3);  // the summary again, with three more cells
  EXPECT_EQ(header[own], QStringLiteral("exact_maxLift_mm"));
  EXPECT_EQ(header.last(), QStringLiteral("maxDifferenceAt_crankDeg"));
  for (qsizetype i = 1; i < exact.lines.size(); ++i) {
    // The window's columns as the plain map has them.
    EXPECT_TRUE(exact.lines[i].startsWith(plain.lines[i] + QLatin1Char(','))) << exact.lines[i].toStdString();
    const QStringList cells = exact.lines[i].split(QLatin1Char(','));
    const double windowMax = Cell(cells, 4);
    const double exactMax = Cell(cells, own);
    const double difference = Cell(cells, int(header.size()) - 2);
    EXPECT_EQ(cells[int(header.size()) - 3], QStringLiteral("0")) << "frames without an exact position";
    EXPECT_GE(difference, 0);
    EXPECT_LT(difference, 0.3);
    EXPECT_LE(std::abs(windowMax - exactMax), difference + 1e-12) << exact.lines[i].toStdString();
  }
}

// Each angle is a multiple of the step, computed from its index and written as the
// multiple reads (0.3, not 0.30000000000000004).
TEST(ExactModesTool, CrankAnglesReadAsMultiplesOfTheStep) {
  const Output run = Modes({QStringLiteral("--svaj=60,200"), QStringLiteral("--step=0.1")});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  ASSERT_EQ(run.lines.size(), 1 + 7200);
  for (int i = 0; i < 7200; ++i) {
    const QString expected = QString::number(i / 10) + (i % 10 ? QStringLiteral(".%1").arg(i % 10) : QString());
    ASSERT_EQ(run.lines[i + 1].section(QLatin1Char(','), 0, 0), expected);
  }
}

}  // namespace

// --target: every mode named reaches the target, with its shafts' angles; a target
// out of reach gets the nearest mode and a line saying so; --target is no map option.
TEST(ExactModesTool, TargetNamesModesThatReachItOrTheNearest) {
  const Output run = Modes({QStringLiteral("--target"), QStringLiteral("6,180")});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.lines.value(0).toStdString(),
            "answer,lever,eccentric,leverAngle_rad,eccentricAngle_deg,maxLift_mm,duration1mm_crankDeg");
  ASSERT_GE(run.lines.size(), 2);
  for (qsizetype i = 1; i < run.lines.size(); ++i) {
    const QStringList cells = run.lines[i].split(QLatin1Char(','));
    EXPECT_EQ(cells.value(0), QStringLiteral("reaches"));
    EXPECT_NEAR(Cell(cells, 5), 6, 0.01);
    EXPECT_NEAR(Cell(cells, 6), 180, 0.1);
    EXPECT_NEAR(Cell(cells, 3), -Cell(cells, 1) / 300, 1e-12);
    EXPECT_NEAR(Cell(cells, 4), Cell(cells, 2) / 10, 1e-9);
  }

  const Output far = Modes({QStringLiteral("--target"), QStringLiteral("15,200")});
  ASSERT_EQ(far.exitCode, 0) << far.err.toStdString();
  ASSERT_EQ(far.lines.size(), 2);
  EXPECT_TRUE(far.lines[1].startsWith(QStringLiteral("nearest,")));
  EXPECT_TRUE(far.err.contains(QStringLiteral("no mode reaches 15 mm over 200 crank degrees"))) << far.err.toStdString();

  const Output bad = Modes({QStringLiteral("--target"), QStringLiteral("6,180"), QStringLiteral("--exact")});
  EXPECT_EQ(bad.exitCode, 2);
}
