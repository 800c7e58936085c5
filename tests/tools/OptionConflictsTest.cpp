// torlin-modes' options against each other: a combination is honoured or refused in
// one line, never half-used; a refused run leaves nothing behind, not even a folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <map>
#include <string>

#include "torlin/Version.h"

#include "LiftRun.h"

namespace {

struct Refused {
  QStringList arguments;
  const char* says;
};

TEST(OptionConflicts, EveryOptionARunCannotUseIsRefusedInOneLineAndNoFolderIsMade) {
  QTemporaryDir folder;
  const QString plots = folder.filePath(QStringLiteral("plots"));
  const QString plotDir = QStringLiteral("--plot-dir=") + plots;
  const Refused refused[] = {
      {{QStringLiteral("--target=6,200"), QStringLiteral("--loads=60,200"), QStringLiteral("--rpm=6000")},
       "give --target or --loads, not both"},
      {{QStringLiteral("--target=6,200"), plotDir}, "--target draws no pictures; give --plot-dir or --target, not both"},
      {{QStringLiteral("--target=6,180"), QStringLiteral("--speed=25")}, "give --speed or --target, not both"},
      {{QStringLiteral("--target=6,180"), QStringLiteral("--step=1")}, "--step needs --svaj or --loads LEVER,ECCENTRIC"},
      {{QStringLiteral("--target=6,180"), QStringLiteral("--spring-rate=30")}, "--spring-rate needs --loads"},
      {{QStringLiteral("--loads=0,700"), QStringLiteral("--rpm=6000"), QStringLiteral("--lever=0:10:5"),
        QStringLiteral("--exact"), QStringLiteral("--step=360"), plotDir},
       "give --loads LEVER,ECCENTRIC or --lever, not both"},
      {{QStringLiteral("--loads=0,700"), QStringLiteral("--exact")}, "give --loads LEVER,ECCENTRIC or --exact, not both"},
      {{QStringLiteral("--loads=0,700"), QStringLiteral("--speed=100"), plotDir},
       "give --loads LEVER,ECCENTRIC or --speed, not both"},
      {{QStringLiteral("--loads=0,700"), QStringLiteral("--eccentric-steps=4")},
       "give --loads LEVER,ECCENTRIC or --eccentric-steps, not both"},
      {{QStringLiteral("--svaj=60,200"), QStringLiteral("--loads")}, "give --svaj or --loads, not both"},
      {{QStringLiteral("--svaj=60,200"), QStringLiteral("--lever-steps=3"), plotDir},
       "give --lever-steps or --svaj, not both"},
      {{QStringLiteral("--loads"), QStringLiteral("--step=1")}, "--step needs --svaj or --loads LEVER,ECCENTRIC"},
      {{QStringLiteral("--rpm=6000")}, "--rpm needs --svaj or --loads"},
      {{QStringLiteral("--exact=1")}, "--exact takes no value, not '1'"},
      {{QStringLiteral("--loads"), QStringLiteral("--loads=1,1")}, "--loads is given more than once"},
  };
  for (const Refused& run : refused) {
    SCOPED_TRACE(run.arguments.join(QLatin1Char(' ')).toStdString());
    const ToolRun result = RunProgram(QStringLiteral(TORLIN_MODES_PATH), run.arguments);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    EXPECT_TRUE(result.err.startsWith(QLatin1String("torlin-modes: "))) << result.err.toStdString();
    EXPECT_EQ(result.err.count(QLatin1Char('\n')), 1) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QLatin1String(run.says))) << result.err.toStdString();
    EXPECT_FALSE(QDir(plots).exists());
  }
}

// A value of any length is echoed short enough to read, and says how long it was.
TEST(OptionConflicts, AnErrorLineEchoesALongValueShortened) {
  const std::string digits(100000, '7');
  for (const QString& program : {QStringLiteral(TORLIN_MODES_PATH), QStringLiteral(TORLIN_LIFT_PATH)}) {
    const QString option = program == QLatin1String(TORLIN_MODES_PATH) ? QStringLiteral("--tdc=")
                                                                        : QStringLiteral("--lever=");
    const ToolRun run = RunProgram(program, {option + QString::fromStdString(digits)});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_LT(run.err.size(), 240) << run.err.left(300).toStdString();
    EXPECT_TRUE(run.err.contains(QLatin1String("'777777777777777777777777777777777777777777777777777777777777...' "
                                               "(100000 bytes)")))
        << run.err.left(300).toStdString();
  }
}

// More threads than cores are what the pool gets, without a word from the thread library.
TEST(OptionConflicts, MoreThreadsThanCoresRunQuietly) {
  const ToolRun run = RunProgram(QStringLiteral(TORLIN_MODES_PATH),
                                 {QStringLiteral("--threads=64"), QStringLiteral("--lever-steps=3"),
                                  QStringLiteral("--eccentric-steps=3")});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
  EXPECT_EQ(Lines(run.out).size(), 10);
}

}  // namespace

namespace {

// Every table ends with what its numbers depend on, as "# name,value" notes after the
// last row: each setting the run used, with the value it used, and no other.
TEST(RunSettings, EveryTableEndsWithTheSettingsItWasMadeWith) {
  struct Case {
    QStringList arguments;
    std::map<QString, QString> notes;  // beyond program and design
  };
  const Case cases[] = {
      {{QStringLiteral("--lever=60:60:1"), QStringLiteral("--eccentric=200:200:1"), QStringLiteral("--speed=100")},
       {{QStringLiteral("windowSpeed_camDegPerFrame"), QStringLiteral("1")}}},
      {{QStringLiteral("--lever=60:60:1"), QStringLiteral("--eccentric=200:200:1"), QStringLiteral("--loads"),
        QStringLiteral("--rpm=3000"), QStringLiteral("--spring-rate=40"), QStringLiteral("--tdc=90")},
       {{QStringLiteral("windowSpeed_camDegPerFrame"), QStringLiteral("4")},
        {QStringLiteral("engineSpeed_rpm"), QStringLiteral("3000")},
        {QStringLiteral("springRate_NPerMm"), QStringLiteral("40")},
        {QStringLiteral("springPreload_N"), QStringLiteral("210")},
        {QStringLiteral("movingMass_g"), QStringLiteral("75")},
        {QStringLiteral("rollerWidth_mm"), QStringLiteral("8")},
        {QStringLiteral("youngsModulus_GPa"), QStringLiteral("210")},
        {QStringLiteral("poisson"), QStringLiteral("0.3")},
        {QStringLiteral("tdc_crankDeg"), QStringLiteral("90")}}},
      {{QStringLiteral("--svaj=60,200"), QStringLiteral("--rpm=3000"), QStringLiteral("--step=2")},
       {{QStringLiteral("windowSpeed_camDegPerFrame"), QStringLiteral("4")},
        {QStringLiteral("step_crankDeg"), QStringLiteral("2")},
        {QStringLiteral("engineSpeed_rpm"), QStringLiteral("3000")}}},
      {{QStringLiteral("--target=6,180")}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
    const ToolRun run = RunProgram(QStringLiteral(TORLIN_MODES_PATH), c.arguments);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    std::map<QString, QString> expected = c.notes;
    expected[QStringLiteral("program")] = QStringLiteral("torlin-modes ") + QLatin1String(kTorlinVersion);
    expected[QStringLiteral("design")] = QStringLiteral("built-in (the window's)");
    // --svaj's peaks come as notes too, before the settings (ExactModesTool checks them),
    // and so do the limits a mode crosses (LimitsTool checks those).
    std::map<QString, QString> notes = Notes(run.out);
    std::erase_if(notes, [](const auto& note) {
      return note.first.startsWith(QLatin1String("max")) || note.first.startsWith(QLatin1String("min")) ||
             note.first.startsWith(QLatin1String("jerk")) || note.first == QLatin1String("warning");
    });
    EXPECT_EQ(notes, expected);
    // The notes come last: after them, no row.
    const QStringList lines = AllLines(run.out);
    const qsizetype firstNote = lines.indexOf(QRegularExpression(QStringLiteral("# .*")));
    ASSERT_GT(firstNote, 1);
    for (qsizetype i = firstNote; i < lines.size(); ++i) EXPECT_TRUE(lines[i].startsWith(QLatin1String("# ")));
  }
}

}  // namespace
