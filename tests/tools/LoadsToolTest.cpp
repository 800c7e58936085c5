// torlin-modes --loads, run as a person runs it: the rows and the summary agree with
// each other and with the map's columns, and TDC moves every crank angle.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <map>

#include "LiftRun.h"

namespace {

struct Output {
  int exitCode = -1;
  QStringList lines;
  QString err;
};

Output Modes(const QStringList& arguments) {
  const ToolRun run =
      RunProgram(QStringLiteral(TORLIN_MODES_PATH), arguments, {QStringLiteral("LC_ALL=de_DE.UTF-8")});
  return {run.exitCode, AllLines(run.out), run.err};
}

double Number(const QString& text) {
  bool ok = false;
  const double value = QLocale::c().toDouble(text, &ok);
  EXPECT_TRUE(ok) << text.toStdString();
  return value;
}

TEST(LoadsTool, RowsSummaryAndMapAgree) {
  // A mode between whole bar values, with TDC at 90: the rows' largest green-shaft
  // torque is the summary's, at the summary's crank angle; the map's row of the
  // window's start mode carries the same kind of summary.
  const Output run = Modes({QStringLiteral("--loads"), QStringLiteral("37.25,412.5"), QStringLiteral("--rpm"),
                            QStringLiteral("6000"), QStringLiteral("--step"), QStringLiteral("2"),
                            QStringLiteral("--tdc"), QStringLiteral("90")});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QStringList header = run.lines.value(0).split(QLatin1Char(','));
  const qsizetype crank = header.indexOf(QStringLiteral("crankFromTdc_deg"));
  const qsizetype green = header.indexOf(QStringLiteral("greenShaftTorque_Nm"));
  ASSERT_GE(crank, 0);
  ASSERT_GE(green, 0);
  double largest = 0;
  double largestAt = -1;
  int rows = 0;
  int jumpRows = 0;
  std::map<QString, QString> summary;
  for (qsizetype i = 1; i < run.lines.size(); ++i) {
    const QString& line = run.lines[i];
    if (line.startsWith(QLatin1String("# "))) {
      const QStringList cells = line.mid(2).split(QLatin1Char(','));
      summary[cells.value(0)] = cells.value(1);
      continue;
    }
    const QStringList cells = line.split(QLatin1Char(','));
    ASSERT_EQ(cells.size(), header.size()) << line.toStdString();
    ++rows;
    if (cells[1] != QLatin1String("0")) ++jumpRows;
    const double at = Number(cells[crank]);
    EXPECT_TRUE(at >= 0 && at < 720);
    if (!cells[green].isEmpty() && std::abs(Number(cells[green])) > std::abs(largest)) {
      largest = Number(cells[green]);
      largestAt = at;
    }
  }
  EXPECT_EQ(rows - jumpRows, 360);
  EXPECT_GE(jumpRows, 4);
  EXPECT_EQ(Number(summary[QStringLiteral("peakGreenShaftTorque_Nm")]), largest);
  EXPECT_EQ(Number(summary[QStringLiteral("peakGreenShaftTorqueAt_crankDegFromTdc")]), largestAt);
  EXPECT_GT(Number(summary[QStringLiteral("separation_rpm")]), 1000);

  const Output map = Modes({QStringLiteral("--loads"), QStringLiteral("--rpm"), QStringLiteral("6000"),
                            QStringLiteral("--lever"), QStringLiteral("60:60:1"), QStringLiteral("--eccentric"),
                            QStringLiteral("200:200:1"), QStringLiteral("--tdc"), QStringLiteral("90")});
  ASSERT_EQ(map.exitCode, 0) << map.err.toStdString();
  const QStringList mapTable = Lines(map.lines.join(QLatin1Char('\n')));
  ASSERT_EQ(mapTable.size(), 2);
  const QStringList mapHeader = mapTable[0].split(QLatin1Char(','));
  const QStringList mapRow = mapTable[1].split(QLatin1Char(','));
  ASSERT_EQ(mapRow.size(), mapHeader.size());
  // The mode's summary is the map's columns; the run's settings are both runs' notes.
  const std::map<QString, QString> mapNotes = Notes(map.lines.join(QLatin1Char('\n')));
  for (const auto& [name, value] : summary) {
    EXPECT_TRUE(mapHeader.contains(name) || mapNotes.count(name) == 1 || name == QLatin1String("step_crankDeg"))
        << name.toStdString();
  }
  for (const char* setting : {"engineSpeed_rpm", "springRate_NPerMm", "movingMass_g", "tdc_crankDeg"}) {
    EXPECT_EQ(mapNotes.at(QLatin1String(setting)), summary.at(QLatin1String(setting))) << setting;
  }
  EXPECT_LT(Number(mapRow[mapHeader.indexOf(QStringLiteral("peakGreenShaftTorque_Nm"))]), 0);
}

// Without --rpm the loads are taken at rest: no inertia anywhere, and the summary's
// speed-independent figures (separation speed, pressure angle, cam radius) as at speed.
TEST(LoadsTool, WithoutRpmTheLoadsAreAtRestAndTheSummaryAsUsual) {
  const auto summaryOf = [](const QStringList& lines) { return Notes(lines.join(QLatin1Char('\n'))); };
  const QStringList mode = {QStringLiteral("--loads=60,200"), QStringLiteral("--step=2")};
  const Output rest = Modes(mode);
  const Output fast = Modes(mode + QStringList{QStringLiteral("--rpm=6000")});
  ASSERT_EQ(rest.exitCode, 0) << rest.err.toStdString();
  ASSERT_EQ(fast.exitCode, 0) << fast.err.toStdString();
  const qsizetype inertia = rest.lines.value(0).split(QLatin1Char(',')).indexOf(QStringLiteral("inertiaForce_N"));
  ASSERT_GE(inertia, 0);
  for (const QString& line : rest.lines.mid(1)) {
    if (line.startsWith(QLatin1String("# "))) continue;
    const QString cell = line.split(QLatin1Char(',')).value(inertia);
    EXPECT_TRUE(cell.isEmpty() || Number(cell) == 0) << line.toStdString();
  }
  const auto atRest = summaryOf(rest.lines);
  EXPECT_EQ(atRest.at(QStringLiteral("engineSpeed_rpm")), QStringLiteral("0"));
  const auto atSpeed = summaryOf(fast.lines);
  for (const char* name : {"separation_rpm", "maxPressureAngle_deg", "minCamRadius_mm"}) {
    SCOPED_TRACE(name);
    ASSERT_FALSE(atRest.at(QLatin1String(name)).isEmpty());
    EXPECT_NEAR(Number(atRest.at(QLatin1String(name))), Number(atSpeed.at(QLatin1String(name))),
                1e-9 * std::abs(Number(atSpeed.at(QLatin1String(name)))));
  }
  // The map takes --loads without --rpm too.
  const Output map = Modes({QStringLiteral("--loads"), QStringLiteral("--lever=60:60:1"),
                            QStringLiteral("--eccentric=200:200:1")});
  ASSERT_EQ(map.exitCode, 0) << map.err.toStdString();
  const QStringList header = map.lines.value(0).split(QLatin1Char(','));
  const qsizetype separation = header.indexOf(QStringLiteral("separation_rpm"));
  ASSERT_GE(separation, 0);
  EXPECT_GT(Number(map.lines.value(1).split(QLatin1Char(',')).value(separation)), 1000);
}

TEST(LoadsTool, HeatMapsCarryIsoLinesLabelledWithTheirValues) {
  // Peak cam pressure runs from near 0 to some 3,400 MPa at 6000 rpm: the lines at 1000
  // and 2000 MPa cross even a coarse grid, each with its label as text in the SVG.
  QTemporaryDir folder;
  const QString plots = folder.filePath(QStringLiteral("plots"));
  const Output run = Modes({QStringLiteral("--loads"), QStringLiteral("--rpm=6000"), QStringLiteral("--lever=0:115:5"),
                            QStringLiteral("--eccentric=-95:700:53"), QStringLiteral("--plot-dir"), plots});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  QFile svg(QDir(plots).filePath(QStringLiteral("cam-hertz-map.svg")));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  const QByteArray text = svg.readAll();
  EXPECT_TRUE(text.contains(">1000</text>"));
  EXPECT_TRUE(text.contains(">2000</text>"));
  EXPECT_EQ(text.count("<image"), 2) << "the lines are vectors over the cells' one picture";
}

TEST(LoadsTool, BadValuesAreOneLineAndNothingOnStandardOutput) {
  for (const QStringList& arguments :
       {QStringList{QStringLiteral("--loads"), QStringLiteral("60,200"), QStringLiteral("--lever"), QStringLiteral("0:10:5")},
        QStringList{QStringLiteral("--loads"), QStringLiteral("60.5,900"), QStringLiteral("--rpm"), QStringLiteral("6000")},
        QStringList{QStringLiteral("--rpm"), QStringLiteral("6000")},
        QStringList{QStringLiteral("--loads"), QStringLiteral("--rpm"), QStringLiteral("6000"), QStringLiteral("--step"),
                    QStringLiteral("1")},
        QStringList{QStringLiteral("--loads"), QStringLiteral("1,1"), QStringLiteral("--rpm"), QStringLiteral("6000"),
                    QStringLiteral("--spring-rate"), QStringLiteral("-3")}}) {
    const Output run = Modes(arguments);
    EXPECT_EQ(run.exitCode, 2) << arguments.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(run.lines.isEmpty());
    EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
  }
}

}  // namespace
