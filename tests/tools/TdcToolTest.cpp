// torlin-modes --tdc, run as a person runs it: every crank position moves to top dead
// centre's frame and its column says so, and nothing else in the table changes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStringList>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <string>

#include "LiftRun.h"

namespace {

QStringList ModesLines(const QStringList& arguments) {
  const ToolRun run = RunProgram(QStringLiteral(TORLIN_MODES_PATH), arguments);
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  return Lines(run.out);
}

double Number(const QString& text) {
  bool ok = false;
  const double value = QLocale::c().toDouble(text, &ok);
  EXPECT_TRUE(ok) << text.toStdString();
  return value;
}

// How far apart two crank angles lie round the cycle.
double CycleDistance(double a, double b) {
  const double d = std::fmod(std::abs(a - b), 720);
  return std::min(d, 720 - d);
}

TEST(TdcTool, EveryCrankPositionMovesByTdcAndSaysSoWhileNothingElseChanges) {
  struct Case {
    QStringList arguments;
    QString tdc;
    int positionColumns;  // columns that hold a place on the crank cycle
    int eventColumns;     // the intake valve's events, added after the others
  };
  const Case cases[] = {
      // The exact map: maximum's angle, opening and closing at two lifts, window and
      // exact, and where the two lifts differ most.
      {{QStringLiteral("--exact"), QStringLiteral("--lever=0:115:23"), QStringLiteral("--eccentric=0:700:175")},
       QStringLiteral("250.5"), 11, 10},
      {{QStringLiteral("--svaj=30,450"), QStringLiteral("--step=3")}, QStringLiteral("-97.25"), 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
    const QStringList plain = ModesLines(c.arguments);
    const QStringList moved = ModesLines(c.arguments + QStringList{QStringLiteral("--tdc"), c.tdc});
    ASSERT_GT(plain.size(), 1);
    ASSERT_EQ(moved.size(), plain.size());
    const QStringList plainHeader = plain[0].split(QLatin1Char(','));
    // The intake valve's events are columns of --tdc's own; the others keep their order.
    std::vector<bool> event;
    QStringList movedHeader;
    for (const QString& name : moved[0].split(QLatin1Char(','))) {
      event.push_back(name.endsWith(QLatin1String("BeforeTdc")) || name.endsWith(QLatin1String("AfterBdc")) ||
                      name.endsWith(QLatin1String("AfterTdc")));
      if (!event.back()) movedHeader.push_back(name);
    }
    const auto withoutEvents = [&event](const QStringList& cells) {
      QStringList kept;
      for (qsizetype i = 0; i < cells.size(); ++i) {
        if (!event.at(std::size_t(i))) kept.push_back(cells[i]);
      }
      return kept;
    };
    EXPECT_EQ(qsizetype(event.size()) - movedHeader.size(), c.eventColumns);
    ASSERT_EQ(movedHeader.size(), plainHeader.size());
    std::vector<bool> position(plainHeader.size());
    int positions = 0;
    for (qsizetype i = 0; i < plainHeader.size(); ++i) {
      const QString& name = plainHeader[i];
      QString expected = name;
      if (name == QLatin1String("crank_deg")) expected = QStringLiteral("crankFromTdc_deg");
      if (name.endsWith(QLatin1String("_crankDeg")) && !name.contains(QLatin1String("duration"))) {
        expected = name + QStringLiteral("FromTdc");
      }
      position[i] = expected != name;
      positions += position[i] ? 1 : 0;
      EXPECT_EQ(movedHeader[i].toStdString(), expected.toStdString());
    }
    EXPECT_EQ(positions, c.positionColumns);

    const double tdc = Number(c.tdc);
    int shifted = 0;
    int rows = 0;
    for (qsizetype row = 1; row < plain.size(); ++row) {
      const QStringList before = plain[row].split(QLatin1Char(','));
      if (plain[row].startsWith(QLatin1String("# "))) {
        const QStringList after = moved[row].split(QLatin1Char(','));
        // The summary after the rows: "# name,value", a position's name and value moved.
        ASSERT_EQ(after.size(), 2);
        if (!before[0].endsWith(QLatin1String("_crankDeg")) || before[1].isEmpty()) {
          EXPECT_EQ(after, before);
          continue;
        }
        EXPECT_EQ(after[0], before[0] + QStringLiteral("FromTdc"));
        EXPECT_LT(CycleDistance(Number(after[1]), Number(before[1]) - tdc), 1e-9) << before[0].toStdString();
        continue;
      }
      ++rows;
      ASSERT_EQ(moved[row].count(QLatin1Char(',')) + 1, qsizetype(event.size()));
      const QStringList after = withoutEvents(moved[row].split(QLatin1Char(',')));
      ASSERT_EQ(after.size(), before.size());
      for (qsizetype i = 0; i < before.size(); ++i) {
        if (!position[i] || before[i].isEmpty()) {
          EXPECT_EQ(after[i], before[i]) << plainHeader[i].toStdString() << " row " << row;
          continue;
        }
        const double at = Number(after[i]);
        EXPECT_TRUE(at >= 0 && at < 720) << at;
        // Angles at frames are printed to six decimals, the others in full.
        EXPECT_LT(CycleDistance(at, Number(before[i]) - tdc), 1.1e-6) << plainHeader[i].toStdString();
        ++shifted;
      }
    }
    EXPECT_GE(shifted, rows);  // at least one position in every row
  }
}

TEST(TdcTool, PicturesMeasureTheirCrankAxisFromTdc) {
  QTemporaryDir folder;
  const QString plots = folder.filePath(QStringLiteral("plots"));
  ModesLines({QStringLiteral("--svaj=60,200"), QStringLiteral("--step=2"), QStringLiteral("--tdc=360"),
              QStringLiteral("--plot-dir"), plots});
  for (const char* name : {"svaj.svg", "window-vs-exact.svg"}) {
    QFile svg(QDir(plots).filePath(QLatin1String(name)));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly)) << name;
    EXPECT_TRUE(svg.readAll().contains("crank angle from TDC at 360 (degrees)")) << name;
  }
}

// The intake valve's events as engine people give them, from the gas-exchange TDC:
// opening before TDC, closing after BDC (180 after TDC), the maximum after TDC. Each is
// checked by putting TDC where the event must read a known angle.
TEST(TdcTool, IntakeEventsReadFromTheGasExchangeTdc) {
  const QStringList mode = {QStringLiteral("--lever=60:60:1"), QStringLiteral("--eccentric=700:700:1")};
  const QStringList plain = ModesLines(mode);
  ASSERT_EQ(plain.size(), 2);
  const QStringList names = plain[0].split(QLatin1Char(','));
  const QStringList row = plain[1].split(QLatin1Char(','));
  const auto at = [&](const char* name) { return Number(row[names.indexOf(QLatin1String(name))]); };
  struct Event {
    double tdc;          // where TDC is put
    const char* column;  // with --tdc
    double reads;
  };
  const Event events[] = {
      {at("opening0.1mm_crankDeg") + 20, "opening0.1mm_crankDegBeforeTdc", 20},
      {at("opening1mm_crankDeg") - 15, "opening1mm_crankDegBeforeTdc", -15},
      {at("closing0.1mm_crankDeg") - 180 - 40, "closing0.1mm_crankDegAfterBdc", 40},
      {at("closing1mm_crankDeg") - 180 + 5, "closing1mm_crankDegAfterBdc", -5},
      {at("maxLiftAt_crankDeg") - 100, "maxLiftAt_crankDegAfterTdc", 100},
      {at("maxLiftAt_crankDeg") + 300, "maxLiftAt_crankDegAfterTdc", -300},
  };
  for (const Event& event : events) {
    SCOPED_TRACE(event.column);
    std::string tdc;
    tdc.resize(32);
    tdc.resize(std::size_t(std::snprintf(tdc.data(), tdc.size(), "%.17g", std::fmod(event.tdc + 720, 720))));
    const QStringList moved = ModesLines(mode + QStringList{QStringLiteral("--tdc"), QString::fromStdString(tdc)});
    ASSERT_EQ(moved.size(), 2);
    const qsizetype column = moved[0].split(QLatin1Char(',')).indexOf(QLatin1String(event.column));
    ASSERT_GE(column, 0) << moved[0].toStdString();
    EXPECT_NEAR(Number(moved[1].split(QLatin1Char(','))[column]), event.reads, 1e-6);
  }
}

}  // namespace
