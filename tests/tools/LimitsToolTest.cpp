// torlin-modes' flags against limits, the engine's shaft torques and the elastic heat
// maps, run as a person runs them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cmath>
#include <map>

#include "LiftRun.h"

namespace {

ToolRun Modes(const QStringList& arguments) { return RunProgram(QStringLiteral(TORLIN_MODES_PATH), arguments, {}); }

std::map<QString, QString> Summary(const QStringList& lines) {
  std::map<QString, QString> summary;
  for (const QString& line : lines) {
    if (line.startsWith(QLatin1String("# ")) && !line.startsWith(QLatin1String("# warning,"))) {
      const QStringList cells = line.mid(2).split(QLatin1Char(','));
      summary[cells.value(0)] = cells.value(1);
    }
  }
  return summary;
}

QStringList Warnings(const QStringList& lines) {
  QStringList warnings;
  for (const QString& line : lines) {
    if (line.startsWith(QLatin1String("# warning,"))) warnings.push_back(line.mid(10));
  }
  return warnings;
}

double Number(const QString& text) {
  bool ok = false;
  const double value = QLocale::c().toDouble(text, &ok);
  EXPECT_TRUE(ok) << text.toStdString();
  return value;
}

QStringList Quiet() {
  return {QStringLiteral("--allowable-hertz=1e5"), QStringLiteral("--max-pressure-angle=90")};
}

TEST(LimitsTool, EachWarningComesExactlyWhenItsLimitIsCrossed) {
  // 98/700 separates at about 5,140 rpm: at 6,000 rpm the table is read past
  // separation and says so; at 5,000 rpm nothing is flagged unless a margin asks.
  const QStringList mode = {QStringLiteral("--loads=98,700"), QStringLiteral("--step=4")};
  const ToolRun past = Modes(mode + Quiet() + QStringList{QStringLiteral("--rpm=6000")});
  ASSERT_EQ(past.exitCode, 0) << past.err.toStdString();
  QStringList warnings = Warnings(AllLines(past.out));
  ASSERT_EQ(warnings.size(), 1) << warnings.join(QLatin1Char('\n')).toStdString();
  EXPECT_TRUE(warnings[0].startsWith(QLatin1String("separation: the valve leaves the cam from 5")));
  EXPECT_TRUE(warnings[0].contains(QLatin1String("do not describe the motion")));
  EXPECT_FALSE(warnings[0].contains(QLatin1Char(',')));

  const ToolRun below = Modes(mode + Quiet() + QStringList{QStringLiteral("--rpm=5000")});
  ASSERT_EQ(below.exitCode, 0);
  EXPECT_TRUE(Warnings(AllLines(below.out)).isEmpty());
  const std::map<QString, QString> summary = Summary(AllLines(below.out));
  const double hertz = Number(summary.at(QStringLiteral("peakCamHertz_MPa")));
  const double angle = Number(summary.at(QStringLiteral("maxPressureAngle_deg")));
  const double separation = Number(summary.at(QStringLiteral("separation_rpm")));

  // Each limit a little below the mode's figure fires alone; a little above, nothing.
  const auto text = [](double value) { return QString::number(value, 'g', 17); };
  const std::pair<QString, double> limits[] = {{QStringLiteral("--allowable-hertz"), hertz},
                                               {QStringLiteral("--max-pressure-angle"), angle},
                                               {QStringLiteral("--min-separation-rpm"), separation}};
  for (const auto& [option, value] : limits) {
    SCOPED_TRACE(option.toStdString());
    const bool speed = option == QLatin1String("--min-separation-rpm");
    for (const double factor : {0.999, 1.001}) {
      QStringList arguments = mode + QStringList{QStringLiteral("--rpm=5000")};
      for (const QString& quiet : Quiet()) {
        if (!quiet.startsWith(option)) arguments.push_back(quiet);
      }
      arguments += {option, text(value * factor)};
      const ToolRun run = Modes(arguments);
      ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
      const QStringList flagged = Warnings(AllLines(run.out));
      const bool crossed = speed ? factor > 1 : factor < 1;
      EXPECT_EQ(flagged.size(), crossed ? 1 : 0) << flagged.join(QLatin1Char('\n')).toStdString();
      if (crossed && !flagged.isEmpty()) {
        EXPECT_FALSE(flagged[0].contains(QLatin1String("do not describe")));
      }
    }
  }
}

TEST(LimitsTool, EngineMeanIsNTimesTheValvesAndTheOrderIsChecked) {
  const QStringList mode = {QStringLiteral("--loads=60,200"), QStringLiteral("--rpm=6000"), QStringLiteral("--step=4"),
                            QStringLiteral("--free-roller-mass=17.8")};
  // Under friction the valve's mean is the frictional one, and so must the engine's be.
  for (const QStringList& friction : {QStringList{}, QStringList{QStringLiteral("--friction=0.05")}}) {
    SCOPED_TRACE(friction.join(QLatin1Char(' ')).toStdString());
    const ToolRun run = Modes(mode + friction +
                              QStringList{QStringLiteral("--cylinders=4"), QStringLiteral("--valves-per-cylinder=2")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = AllLines(run.out);
    EXPECT_TRUE(lines.value(0).endsWith(QLatin1String(",engineGreenShaftTorque_Nm,engineOrangeShaftTorque_Nm")));
    const std::map<QString, QString> summary = Summary(lines);
    for (const char* shaft : {"GreenShaft", "OrangeShaft"}) {
      const QString name = QLatin1String(shaft);
      const double valve = Number(summary.at(QStringLiteral("mean") + name + QStringLiteral("Torque_Nm")));
      const double engine = Number(summary.at(QStringLiteral("engineMean") + name + QStringLiteral("Torque_Nm")));
      EXPECT_NEAR(engine, 8 * valve, 1e-9 * (1 + std::abs(engine)));
      EXPECT_GE(Number(summary.at(QStringLiteral("engine") + name + QStringLiteral("TorqueRipple_Nm"))), 0);
    }
    EXPECT_EQ(summary.at(QStringLiteral("firingOrder")), QStringLiteral("1-3-4-2"));
  }
  for (const QStringList& wrong : {QStringList{QStringLiteral("--cylinders=4"), QStringLiteral("--firing-order=1,3,3,2")},
                                   QStringList{QStringLiteral("--cylinders=3"), QStringLiteral("--firing-order=1,2")},
                                   QStringList{QStringLiteral("--firing-order=1,2")}}) {
    const ToolRun bad = Modes(mode + wrong);
    EXPECT_EQ(bad.exitCode, 2) << wrong.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(bad.out.isEmpty());
    EXPECT_EQ(bad.err.count(QLatin1Char('\n')), 1) << bad.err.toStdString();
  }
}

// Every attribute and text of an SVG, or why it is not well-formed XML.
QString SvgProblem(const QString& path, int& numbers) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("cannot open");
  QXmlStreamReader xml(&file);
  while (!xml.atEnd()) {
    xml.readNext();
    QStringList texts;
    if (xml.isStartElement()) {
      for (const QXmlStreamAttribute& attribute : xml.attributes()) texts.push_back(attribute.value().toString());
    } else if (xml.isCharacters()) {
      texts.push_back(xml.text().toString());
    }
    for (const QString& text : texts) {
      for (const QString& word : text.split(QRegularExpression(QStringLiteral("[^A-Za-z0-9.+-]+")), Qt::SkipEmptyParts)) {
        const QString lower = word.toLower().remove(QLatin1Char('-')).remove(QLatin1Char('+'));
        if (lower == QLatin1String("nan") || lower == QLatin1String("inf") || lower == QLatin1String("infinity")) {
          return QStringLiteral("'") + text + QStringLiteral("'");
        }
        bool ok = false;
        word.toDouble(&ok);
        numbers += ok ? 1 : 0;
      }
    }
  }
  return xml.hasError() ? xml.errorString() : QString();
}

TEST(LimitsTool, TheMapFlagsEveryModeAndTheElasticPicturesHaveFiniteNumbers) {
  QTemporaryDir folder;
  const QString plots = folder.filePath(QStringLiteral("plots"));
  const ToolRun run = Modes({QStringLiteral("--loads"), QStringLiteral("--rpm=6000"), QStringLiteral("--dynamics"),
                             QStringLiteral("--loft-speeds"), QStringLiteral("--free-roller-mass=17.8"), QStringLiteral("--lever=0:115:23"),
                             QStringLiteral("--eccentric=200:700:250"), QStringLiteral("--plot-dir"), plots});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QStringList lines = AllLines(run.out);
  const QStringList header = lines.value(0).split(QLatin1Char(','));
  ASSERT_EQ(header.back(), QStringLiteral("exceededLimits"));
  for (const char* name : {"seatingVelocity_mPerS", "loftSpeed_rpm", "returnSpring_N"}) {
    EXPECT_TRUE(header.contains(QLatin1String(name))) << name;
  }
  const qsizetype seating = header.indexOf(QStringLiteral("seatingVelocity_mPerS"));
  int rows = 0;
  int flaggedSeating = 0;
  for (qsizetype i = 1; i < lines.size() && !lines[i].startsWith(QLatin1Char('#')); ++i) {
    const QStringList cells = lines[i].split(QLatin1Char(','));
    ASSERT_EQ(cells.size(), header.size());
    ++rows;
    for (const QString& cell : cells) EXPECT_FALSE(cell.contains(QLatin1String("nan"), Qt::CaseInsensitive));
    // The seating velocity is flagged exactly where it exceeds 0.5 m/s.
    const bool fast = !cells[seating].isEmpty() && Number(cells[seating]) > 0.5;
    EXPECT_EQ(cells.back().contains(QLatin1String("seatingVelocity")), fast) << lines[i].toStdString();
    flaggedSeating += fast ? 1 : 0;
  }
  EXPECT_EQ(rows, 18);
  const QStringList warnings = Warnings(lines);
  EXPECT_EQ(warnings.filter(QStringLiteral("seatingVelocity: ")).size(), flaggedSeating > 0 ? 1 : 0);
  for (const char* name : {"seating-velocity-map.svg", "loft-speed-map.svg", "return-spring-map.svg"}) {
    SCOPED_TRACE(name);
    int numbers = 0;
    EXPECT_EQ(SvgProblem(QDir(plots).filePath(QLatin1String(name)), numbers), QString());
    EXPECT_GT(numbers, 20);
  }
  // One lost-motion mode's lift, rigid and elastic, with its impacts.
  const ToolRun mode = Modes({QStringLiteral("--loads=85,600"), QStringLiteral("--rpm=6000"), QStringLiteral("--dynamics"),
                              QStringLiteral("--step=2"), QStringLiteral("--plot-dir"), plots});
  ASSERT_EQ(mode.exitCode, 0) << mode.err.toStdString();
  int numbers = 0;
  EXPECT_EQ(SvgProblem(QDir(plots).filePath(QStringLiteral("dynamics.svg")), numbers), QString());
  EXPECT_GT(numbers, 100);
}

}  // namespace

namespace {

TEST(LimitsTool, AThinFilmIsFlaggedAtTheSummarysSmallestRatioAndOnTheMap) {
  // The film vanishes where entrainment reverses: the warning's ratio is the summary's
  // minFilmRatio, it goes once the limit lies below it, and the map's column names it.
  const QStringList mode = Quiet() + QStringList{QStringLiteral("--loads=60,200"), QStringLiteral("--rpm=6000"),
                                                 QStringLiteral("--friction=0.05"), QStringLiteral("--step=4")};
  const ToolRun run = Modes(mode);
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QStringList lines = AllLines(run.out);
  const double smallest = Number(Summary(lines).at(QStringLiteral("minFilmRatio")));
  ASSERT_LT(smallest, 1);
  const QStringList warnings = Warnings(lines);
  ASSERT_EQ(warnings.size(), 1) << warnings.join(QLatin1Char('\n')).toStdString();
  const QRegularExpressionMatch shown =
      QRegularExpression(QStringLiteral("^filmRatio: the film parameter falls to ([0-9.]+) at")).match(warnings[0]);
  ASSERT_TRUE(shown.hasMatch()) << warnings[0].toStdString();
  EXPECT_NEAR(Number(shown.captured(1)), smallest, 0.005 * smallest);

  const ToolRun relaxed = Modes(mode + QStringList{QStringLiteral("--min-film-ratio=%1").arg(smallest * 0.99)});
  EXPECT_TRUE(Warnings(AllLines(relaxed.out)).isEmpty()) << relaxed.out.toStdString();
  EXPECT_NE(Modes({QStringLiteral("--loads=60,200"), QStringLiteral("--min-film-ratio=0.5")}).exitCode, 0);

  // On the map: the column, and the heat maps of friction power and film ratio.
  QTemporaryDir plots;
  const ToolRun map = Modes(Quiet() + QStringList{QStringLiteral("--lever=0:115:23"), QStringLiteral("--eccentric=-95:700:159"),
                                                   QStringLiteral("--loads"), QStringLiteral("--rpm=6000"),
                                                   QStringLiteral("--friction=0.05"), QStringLiteral("--plot-dir"),
                                                   plots.path()});
  ASSERT_EQ(map.exitCode, 0) << map.err.toStdString();
  EXPECT_TRUE(AllLines(map.out).value(1).endsWith(QLatin1String("filmRatio"))) << map.out.toStdString();
  for (const char* name : {"friction-power-map.svg", "film-ratio-map.svg"}) {
    SCOPED_TRACE(name);
    int numbers = 0;
    EXPECT_EQ(SvgProblem(QDir(plots.path()).filePath(QLatin1String(name)), numbers), QString());
    EXPECT_GT(numbers, 20);
  }
}

}  // namespace
