// torlin-modes --loads with the bodies' masses, --friction and --dynamics, run as a
// person runs it: masses and friction of zero change no number, the added columns and lines appear only when asked
// for, and what cannot run is one line and exit status 2.
#include <gtest/gtest.h>

#include <QLocale>
#include <QStringList>
#include <map>

#include "LiftRun.h"

namespace {

ToolRun Modes(const QStringList& arguments) { return RunProgram(QStringLiteral(TORLIN_MODES_PATH), arguments, {}); }

QStringList Loads(const QStringList& more) {
  QStringList arguments = {QStringLiteral("--loads"), QStringLiteral("60,200"), QStringLiteral("--rpm"),
                           QStringLiteral("6000"), QStringLiteral("--step"), QStringLiteral("4")};
  return arguments + more;
}

std::map<QString, QString> Summary(const QStringList& lines) {
  std::map<QString, QString> summary;
  for (const QString& line : lines) {
    if (line.startsWith(QLatin1String("# "))) {
      const QStringList cells = line.mid(2).split(QLatin1Char(','));
      summary[cells.value(0)] = cells.value(1);
    }
  }
  return summary;
}

// Every row of b is a's with cells added at the end; every note of a stays in b.
void ExpectOnlyCellsAdded(const QStringList& a, const QStringList& b) {
  qsizetype rows = 0;
  for (qsizetype i = 0; i < a.size(); ++i) {
    if (a[i].startsWith(QLatin1String("# "))) {
      EXPECT_TRUE(b.contains(a[i])) << a[i].toStdString();
    } else {
      ++rows;
      EXPECT_TRUE(b.value(i).startsWith(a[i] + QLatin1Char(','))) << b.value(i).toStdString();
    }
  }
  EXPECT_GT(rows, 180);
}

TEST(PhysicsTool, ZeroMassesChangeNoNumberAndAddOnlyTheirColumns) {
  const ToolRun plain = Modes(Loads({}));
  const ToolRun zero = Modes(Loads({QStringLiteral("--free-roller-mass"), QStringLiteral("0")}));
  ASSERT_EQ(plain.exitCode, 0) << plain.err.toStdString();
  ASSERT_EQ(zero.exitCode, 0) << zero.err.toStdString();
  const QStringList a = AllLines(plain.out);
  const QStringList b = AllLines(zero.out);
  ExpectOnlyCellsAdded(a, b);
  EXPECT_TRUE(b.contains(QStringLiteral("# freeRollerMass_g,0")));
  EXPECT_TRUE(AllLines(zero.out).value(0).endsWith(QLatin1String("contactLoss_rpm,contactLost,returnSpringNeeded_N")));
}

TEST(PhysicsTool, MassesAndDynamicsGiveTheirSummary) {
  const ToolRun run = Modes(Loads({QStringLiteral("--free-roller-mass"), QStringLiteral("17.8"),
                                   QStringLiteral("--second-roller-mass"), QStringLiteral("20"),
                                   QStringLiteral("--dynamics")}));
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QStringList lines = AllLines(run.out);
  EXPECT_TRUE(lines.value(0).endsWith(QLatin1String("dynamicLift_mm,dynamicVelocity_mPerS,"
                                                    "dynamicAcceleration_mPerS2,chainForce_N,seatForce_N")));
  const std::map<QString, QString> summary = Summary(lines);
  for (const char* name : {"firstContactLoss_rpm", "returnSpring_N", "seatingVelocity_mPerS", "loftSpeed_rpm",
                           "bounceSpeed_rpm", "dynamicPeriodic"}) {
    ASSERT_TRUE(summary.count(QLatin1String(name))) << name;
  }
  bool ok = false;
  const double rpm = QLocale::c().toDouble(summary.at(QStringLiteral("firstContactLoss_rpm")), &ok);
  EXPECT_TRUE(ok);
  EXPECT_GT(rpm, 1000);
  EXPECT_LT(rpm, 20000);
  EXPECT_EQ(summary.at(QStringLiteral("dynamicPeriodic")), QStringLiteral("1"));
}

TEST(PhysicsTool, FrictionOfZeroChangesNoNumberAndAddsOnlyItsColumns) {
  const ToolRun plain = Modes(Loads({}));
  const ToolRun zero = Modes(Loads({QStringLiteral("--friction"), QStringLiteral("0")}));
  ASSERT_EQ(zero.exitCode, 0) << zero.err.toStdString();
  const QStringList a = AllLines(plain.out);
  const QStringList b = AllLines(zero.out);
  ExpectOnlyCellsAdded(a, b);
  EXPECT_TRUE(b.value(0).contains(QLatin1String("lostContact,camSlip_mPerS,leverSlip_mPerS,rollerSlip_mPerS,"
                                                "camEntrainment_mPerS")));
  EXPECT_TRUE(b.contains(QStringLiteral("# friction,0")));
}

TEST(PhysicsTool, FrictionGivesEveryRowItsContactsAndTheModeItsSummary) {
  for (const QStringList& more :
       {QStringList{QStringLiteral("--friction"), QStringLiteral("0.05")},
        QStringList{QStringLiteral("--friction"), QStringLiteral("0.05"), QStringLiteral("--free-roller-mass"),
                    QStringLiteral("17.8"), QStringLiteral("--second-roller-mass"), QStringLiteral("20"),
                    QStringLiteral("--oil-viscosity"), QStringLiteral("0.02"), QStringLiteral("--roughness"),
                    QStringLiteral("0.2")}}) {
    const ToolRun run = Modes(Loads(more));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = AllLines(run.out);
    for (const char* column : {"camSlip_mPerS", "freeRollerSpin_radPerS", "frictionPower_W", "camFilm_um",
                               "camFilmRatio", "camshaftFrictionTorque_Nm"}) {
      EXPECT_TRUE(lines.value(0).split(QLatin1Char(',')).contains(QLatin1String(column))) << column;
    }
    EXPECT_FALSE(run.out.contains(QLatin1String("nan")) || run.out.contains(QLatin1String("inf")));
    const std::map<QString, QString> summary = Summary(lines);
    for (const char* name : {"meanFrictionPower_W", "peakSlip_mPerS", "peakSlipContact", "minFilmRatio",
                             "minFilmContact", "slidingContact", "spinPeriodic", "oilViscosity_PaS"}) {
      ASSERT_TRUE(summary.count(QLatin1String(name))) << name;
    }
    bool ok = false;
    const double watts = QLocale::c().toDouble(summary.at(QStringLiteral("meanFrictionPower_W")), &ok);
    EXPECT_TRUE(ok);
    EXPECT_GT(watts, 1);
    EXPECT_LT(watts, 1000);
    EXPECT_EQ(summary.at(QStringLiteral("spinPeriodic")), QStringLiteral("1"));
  }
  // On the map the summary becomes columns.
  const ToolRun map = Modes({QStringLiteral("--loads"), QStringLiteral("--rpm"), QStringLiteral("6000"),
                             QStringLiteral("--friction"), QStringLiteral("0.05"), QStringLiteral("--lever"),
                             QStringLiteral("0:71:71"), QStringLiteral("--eccentric"), QStringLiteral("700:700:1")});
  ASSERT_EQ(map.exitCode, 0) << map.err.toStdString();
  const QStringList mapLines = AllLines(map.out);
  EXPECT_TRUE(mapLines.value(0).contains(QLatin1String("meanFrictionPower_W")));
  EXPECT_TRUE(mapLines.value(0).contains(QLatin1String("minFilmRatio")));
  EXPECT_FALSE(map.out.contains(QLatin1String("nan")));
}

TEST(PhysicsTool, DynamicsNeedsASpeed) {
  // On the map too: the elastic model runs at one engine speed.
  for (const QStringList& arguments :
       {QStringList{QStringLiteral("--loads"), QStringLiteral("--dynamics")},
        QStringList{QStringLiteral("--loads"), QStringLiteral("60,200"), QStringLiteral("--dynamics")},
        Loads({QStringLiteral("--dynamics"), QStringLiteral("--spring-mass"), QStringLiteral("300")}),
        Loads({QStringLiteral("--chain-stiffness"), QStringLiteral("5000")}),
        QStringList{QStringLiteral("--loads"), QStringLiteral("60,200"), QStringLiteral("--friction"),
                    QStringLiteral("0.05")},
        Loads({QStringLiteral("--oil-viscosity"), QStringLiteral("0.01")}),
        Loads({QStringLiteral("--friction"), QStringLiteral("2")})}) {
    const ToolRun run = Modes(arguments);
    EXPECT_EQ(run.exitCode, 2) << arguments.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
  }
}

}  // namespace
