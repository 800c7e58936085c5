#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <map>

#include "LiftRun.h"

// The pictures of torlin-modes --plot-dir as files: whole or absent, and small.

namespace {

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A PNG ends with its IEND chunk, an SVG with its closing tag: a cut file does not.
bool Whole(const QString& path) {
  const QByteArray bytes = Contents(path);
  if (path.endsWith(QLatin1String(".png"))) return bytes.endsWith(QByteArray("IEND\xae\x42\x60\x82", 8));
  if (path.endsWith(QLatin1String(".svg"))) return bytes.trimmed().endsWith("</svg>");
  return false;
}

struct DiskRun {
  int exitCode = -1;
  QString err;
  QString plots;  // the --plot-dir the tool was given
  QString kept;   // where what it left in it can be read
};

// Runs torlin-modes with its pictures on a disk of the given size: a tmpfs of its own
// where a user namespace may mount one, or else a limit on the size of any file it
// writes, which fails a write the same way (SIGXFSZ ignored, so that write reports it).
DiskRun RunOnSmallDisk(const QTemporaryDir& folder, const QStringList& arguments, int kilobytes) {
  DiskRun run;
  const QString disk = folder.filePath(QStringLiteral("disk"));
  run.kept = folder.filePath(QStringLiteral("kept"));
  QDir().mkpath(disk);
  QDir().mkpath(run.kept);
  run.plots = disk + QStringLiteral("/plots");
  QProcess process;
  // The mount lives as long as the shell, so the shell copies what is left out of it.
  const QString script = QStringLiteral(
      "mount -t tmpfs -o size=${0}k tmpfs \"$1\" || exit 99; disk=$1 kept=$2; shift 2; \"$@\" >/dev/null; "
      "code=$?; cp -R \"$disk/plots/.\" \"$kept\" 2>/dev/null; exit $code");
  process.start(QStringLiteral("unshare"),
                QStringList{QStringLiteral("--user"), QStringLiteral("--map-root-user"), QStringLiteral("--mount"),
                            QStringLiteral("sh"), QStringLiteral("-c"), script, QString::number(kilobytes), disk,
                            run.kept, QStringLiteral(TORLIN_MODES_PATH), QStringLiteral("--plot-dir"), run.plots} +
                    arguments);
  const bool finished = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
  const QString err = QString::fromLocal8Bit(process.readAllStandardError());
  if (finished && process.exitCode() != 99 && !err.startsWith(QLatin1String("unshare:"))) {
    run.exitCode = process.exitCode();
    run.err = err;
    return run;
  }
  QProcess limited;
  const rlim_t bytes = rlim_t(kilobytes) * 1024;
  limited.setChildProcessModifier([bytes] {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    ::setrlimit(RLIMIT_FSIZE, &limit);
  });
  run.plots = run.kept;
  limited.start(QStringLiteral(TORLIN_MODES_PATH), QStringList{QStringLiteral("--plot-dir"), run.plots} + arguments);
  if (limited.waitForFinished(120000) && limited.exitStatus() == QProcess::NormalExit) {
    run.exitCode = limited.exitCode();
    run.err = QString::fromLocal8Bit(limited.readAllStandardError());
  }
  return run;
}

TEST(ModesPictures, AFullDiskLeavesOnlyWholePicturesAndNamesTheOneThatFailed) {
  const QStringList grid = {QStringLiteral("--lever-steps=3"), QStringLiteral("--eccentric-steps=3")};
  // Sizes at which the first picture fails, and some way into the set.
  for (int kilobytes : {64, 100}) {
    QTemporaryDir folder;
    const DiskRun run = RunOnSmallDisk(folder, grid, kilobytes);
    SCOPED_TRACE(kilobytes);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
    const QString prefix = QStringLiteral("torlin-modes: cannot write %1/").arg(run.plots);
    ASSERT_TRUE(run.err.startsWith(prefix)) << run.err.toStdString();
    const QString failed = run.err.mid(prefix.size()).section(QLatin1Char(':'), 0, 0);
    EXPECT_TRUE(failed.endsWith(QLatin1String(".png")) || failed.endsWith(QLatin1String(".svg"))) << failed.toStdString();
    EXPECT_GT(run.err.section(QStringLiteral(": "), 2).trimmed().size(), 3) << "the system's reason";

    const QStringList left = QDir(run.kept).entryList(QDir::Files);
    EXPECT_FALSE(left.contains(failed)) << failed.toStdString();
    for (const QString& name : left) {
      EXPECT_TRUE(Whole(QDir(run.kept).filePath(name))) << name.toStdString() << " is cut or not a picture";
    }
  }
}

TEST(ModesPictures, HeatMapsAreOneEmbeddedPictureWithVectorAxesNamingTheShafts) {
  QTemporaryDir folder;
  const QString plots = folder.filePath(QStringLiteral("plots"));
  // Enough modes that an element per cell (some 730 bytes each) would pass a megabyte.
  const ToolRun big = RunProgram(QStringLiteral(TORLIN_MODES_PATH),
                                 {QStringLiteral("--lever-steps=40"), QStringLiteral("--eccentric-steps=50"),
                                  QStringLiteral("--speed=1000"), QStringLiteral("--plot-dir"), plots});
  ASSERT_EQ(big.exitCode, 0) << big.err.toStdString();
  for (const char* name : {"max-lift-map.svg", "duration-map.svg", "lift-duration.svg"}) {
    const QByteArray svg = Contents(QDir(plots).filePath(QLatin1String(name)));
    SCOPED_TRACE(name);
    EXPECT_LT(svg.size(), 1'000'000);
    EXPECT_EQ(svg.count("<image"), 2) << "the cells or points, and the colour bar";
    EXPECT_TRUE(svg.contains("green control shaft (lever), bar value"));
    EXPECT_FALSE(svg.contains("VScroll"));
  }
  EXPECT_TRUE(Contents(QDir(plots).filePath(QStringLiteral("max-lift-map.svg")))
                  .contains("orange control shaft (eccentric), bar value"));

  // A grid of one mode still gets its cell and its colour bar.
  const QString one = folder.filePath(QStringLiteral("one"));
  const ToolRun single = RunProgram(QStringLiteral(TORLIN_MODES_PATH),
                                    {QStringLiteral("--lever=60:60:1"), QStringLiteral("--eccentric=200:200:1"),
                                     QStringLiteral("--speed=100"), QStringLiteral("--plot-dir"), one});
  ASSERT_EQ(single.exitCode, 0) << single.err.toStdString();
  const QByteArray svg = Contents(QDir(one).filePath(QStringLiteral("max-lift-map.svg")));
  EXPECT_EQ(svg.count("<image"), 2);
  EXPECT_TRUE(svg.contains("1 cam degree per frame"));
}

// The text of an SVG's document title, or why the file is not well-formed XML.
struct SvgTitle {
  QString title;
  QString error;
};
SvgTitle ParsedSvg(const QString& path) {
  QXmlStreamReader xml(Contents(path));
  SvgTitle parsed;
  bool root = true;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (root && xml.name() != QLatin1String("svg")) parsed.error = QStringLiteral("the root is not <svg>");
    root = false;
    if (xml.name() == QLatin1String("title") && parsed.title.isEmpty()) parsed.title = xml.readElementText();
  }
  if (xml.hasError()) parsed.error = xml.errorString() + QStringLiteral(" at line %1").arg(xml.lineNumber());
  return parsed;
}

TEST(ModesPictures, EverySvgOfEveryKindIsWellFormedXmlTitledInPlainText) {
  QTemporaryDir folder;
  const QString plots = folder.filePath(QStringLiteral("plots"));
  const QString pd = QStringLiteral("--plot-dir=") + plots;
  const QStringList runs[] = {
      {QStringLiteral("--lever=0:115:115"), QStringLiteral("--eccentric=200:700:500"), QStringLiteral("--loads"),
       QStringLiteral("--rpm=6000"), QStringLiteral("--speed=1000"), pd},
      {QStringLiteral("--svaj=60,200"), QStringLiteral("--rpm=3000"), pd},
      {QStringLiteral("--loads=60,200"), QStringLiteral("--rpm=6000"), QStringLiteral("--step=2"), pd},
  };
  for (const QStringList& arguments : runs) {
    const ToolRun run = RunProgram(QStringLiteral(TORLIN_MODES_PATH), arguments);
    ASSERT_EQ(run.exitCode, 0) << arguments.join(QLatin1Char(' ')).toStdString() << ": " << run.err.toStdString();
  }
  // Each kind of picture, with the start of its headline.
  const std::map<QString, QString> headlines = {
      {QStringLiteral("lift-duration"), QStringLiteral("Lift against duration")},
      {QStringLiteral("max-lift-map"), QStringLiteral("Maximum valve lift")},
      {QStringLiteral("duration-map"), QStringLiteral("Duration above 1 mm")},
      {QStringLiteral("lift-curves"), QStringLiteral("Valve lift against crank angle")},
      {QStringLiteral("green-torque-map"), QStringLiteral("Peak torque on the green shaft")},
      {QStringLiteral("orange-torque-map"), QStringLiteral("Peak torque on the orange shaft")},
      {QStringLiteral("separation-map"), QStringLiteral("Engine speed at which the valve leaves the cam")},
      {QStringLiteral("cam-hertz-map"), QStringLiteral("Peak Hertz pressure")},
      {QStringLiteral("svaj"), QStringLiteral("Valve lift, velocity, acceleration and jerk")},
      {QStringLiteral("window-vs-exact"), QStringLiteral("The window's lift against the exact lift")},
      {QStringLiteral("loads"), QStringLiteral("Forces, torques")},
  };
  const QStringList written = QDir(plots).entryList({QStringLiteral("*.svg")}, QDir::Files);
  EXPECT_EQ(written.size(), qsizetype(headlines.size())) << written.join(QLatin1Char(' ')).toStdString();
  for (const auto& [name, headline] : headlines) {
    SCOPED_TRACE(name.toStdString());
    const SvgTitle svg = ParsedSvg(QDir(plots).filePath(name + QStringLiteral(".svg")));
    EXPECT_TRUE(svg.error.isEmpty()) << svg.error.toStdString();
    EXPECT_TRUE(svg.title.startsWith(headline)) << svg.title.toStdString();
    EXPECT_FALSE(svg.title.contains(QLatin1Char('<'))) << svg.title.toStdString();
  }
  // The separation speed does not depend on the engine speed, so its map names none.
  EXPECT_FALSE(ParsedSvg(QDir(plots).filePath(QStringLiteral("separation-map.svg"))).title.contains(QLatin1String("rpm")));
  EXPECT_TRUE(ParsedSvg(QDir(plots).filePath(QStringLiteral("green-torque-map.svg"))).title.contains(QLatin1String("6000 rpm")));
}

// The picture folder is one name from its check to the last write, whatever its bytes;
// a folder that cannot be used says why.
TEST(ModesPictures, AnyFolderNameIsUsedAsGivenAndAnUnusableOneSaysWhy) {
  QTemporaryDir folder;
  QProcess shell;
  shell.start(QStringLiteral("bash"),
              {QStringLiteral("-c"),
               QStringLiteral("cd \"$1\" && d=$(printf 'plots-\\377\\376') && \"$0\" --lever-steps=2 "
                              "--eccentric-steps=2 --plot-dir \"$d\" >/dev/null && ls \"$d\" | wc -l"),
               QStringLiteral(TORLIN_MODES_PATH), folder.path()});
  ASSERT_TRUE(shell.waitForFinished(120000));
  EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
  EXPECT_EQ(shell.readAllStandardOutput().trimmed(), QByteArray("8"));  // four pictures, PNG and SVG

  const QString dangling = folder.filePath(QStringLiteral("dangling"));
  ASSERT_TRUE(QFile::link(folder.filePath(QStringLiteral("missing/x")), dangling));
  const struct {
    QString dir;
    const char* says;
  } unusable[] = {
      {dangling, "is a symbolic link to"},
      {QStringLiteral("/proc/self"), "it lies in the kernel's /proc or /sys"},
  };
  for (const auto& [dir, says] : unusable) {
    const ToolRun run = RunProgram(QStringLiteral(TORLIN_MODES_PATH),
                                   {QStringLiteral("--lever-steps=2"), QStringLiteral("--plot-dir"), dir});
    EXPECT_EQ(run.exitCode, 2) << dir.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains(QLatin1String(says))) << run.err.toStdString();
  }
}

}  // namespace
