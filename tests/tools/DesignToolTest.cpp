// torlin-modes on a design file: the window's design file changes no number, a design
// that cannot work is refused with one line per problem, and --print-design writes
// the file that reads back to the window's design.

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "LiftRun.h"

namespace {

ToolRun RunModes(const QStringList& arguments) { return RunProgram(QStringLiteral(TORLIN_MODES_PATH), arguments, {}); }

QString Shipped(const char* name) { return QStringLiteral(TORLIN_SOURCE_DIR "/designs/") + name; }

// The rows and notes, but the note that names the design.
QString WithoutDesignNote(QString text) {
  QStringList lines = text.split('\n');
  lines.removeIf([](const QString& line) { return line.startsWith("# design,"); });
  return lines.join('\n');
}

TEST(DesignOption, TheWindowsDesignFileChangesNoNumber) {
  for (const QStringList& run : {QStringList{"--lever=50:70:10", "--eccentric=200:700:250", "--exact"},
                                 QStringList{"--loads=71,700", "--rpm=6000", "--step=2"}}) {
    const ToolRun plain = RunModes(run);
    const ToolRun designed = RunModes(QStringList(run) << "--design" << Shipped("window.json"));
    ASSERT_EQ(plain.exitCode, 0) << plain.err.toStdString();
    ASSERT_EQ(designed.exitCode, 0) << designed.err.toStdString();
    EXPECT_EQ(WithoutDesignNote(plain.out), WithoutDesignNote(designed.out)) << run.join(' ').toStdString();
    EXPECT_TRUE(designed.out.contains("\n# design,window\n"));
  }
  const ToolRun printed = RunModes({"--print-design"});
  QFile file(Shipped("window.json"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(printed.out, QString::fromUtf8(file.readAll()));
}

TEST(DesignOption, ADesignThatCannotWorkIsRefusedLineByLine) {
  QTemporaryDir dir;
  QFile file(dir.filePath("bad.json"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  QFile good(Shipped("window.json"));
  ASSERT_TRUE(good.open(QIODevice::ReadOnly));
  QString text = QString::fromUtf8(good.readAll());
  text.replace("\"length_mm\": 20.0", "\"length_mm\": -1");  // the link and the rod
  file.write(text.toUtf8());
  file.close();
  const ToolRun run = RunModes({"--design", file.fileName()});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.out.isEmpty());
  const QStringList lines = run.err.trimmed().split('\n');
  ASSERT_EQ(lines.size(), 2) << run.err.toStdString();
  EXPECT_TRUE(lines[0].contains("link.length_mm: must be a positive length")) << run.err.toStdString();
  EXPECT_TRUE(lines[1].contains("rod.length_mm")) << run.err.toStdString();

  const ToolRun missing = RunModes({"--design", dir.filePath("none.json")});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_TRUE(missing.err.contains("not a readable file"));
}

// A design's shafts set the bars' ranges: the default grid spans them, and a value
// outside is refused with the design's range, in both tools.
TEST(DesignOption, TheDesignsShaftRangesAreTheBarsRanges) {
  QTemporaryDir dir;
  QFile good(Shipped("window.json"));
  ASSERT_TRUE(good.open(QIODevice::ReadOnly));
  QString text = QString::fromUtf8(good.readAll());
  text.replace("\"barMin\": 0.0,\n      \"barMax\": 115.0", "\"barMin\": 9.5,\n      \"barMax\": 20.0");
  ASSERT_TRUE(text.contains("\"barMin\": 9.5")) << "the shipped file's layout changed";
  const QString narrow = dir.filePath("narrow.json");
  QFile file(narrow);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text.toUtf8());
  file.close();

  const ToolRun grid = RunModes({"--design", narrow, "--lever-steps=3", "--eccentric-steps=2", "--exact"});
  ASSERT_EQ(grid.exitCode, 0) << grid.err.toStdString();
  QStringList levers;
  for (const QString& line : grid.out.split('\n').mid(1)) {
    if (!line.isEmpty() && !line.startsWith('#')) levers << line.section(',', 0, 0);
  }
  EXPECT_EQ(levers, (QStringList{"10", "10", "15", "15", "20", "20"}));

  const ToolRun outside = RunModes({"--design=" + narrow, "--loads=30,0"});
  EXPECT_EQ(outside.exitCode, 2);
  EXPECT_TRUE(outside.err.contains("LEVER from 10 to 20")) << outside.err.toStdString();
  const ToolRun lift = RunProgram(QStringLiteral(TORLIN_LIFT_PATH), {"--design", narrow, "--lever=30"}, {});
  EXPECT_EQ(lift.exitCode, 2);
  EXPECT_TRUE(lift.err.contains("10") && lift.err.contains("20")) << lift.err.toStdString();
}

}  // namespace

namespace {

TEST(DesignOption, TheWindowsSampledModelRunsOnADesignFile) {
  const QStringList mode{"--lever=0", "--eccentric=700"};
  const ToolRun plain = RunProgram(QStringLiteral(TORLIN_LIFT_PATH), mode, {});
  const ToolRun window = RunProgram(QStringLiteral(TORLIN_LIFT_PATH), QStringList(mode) << "--design" << Shipped("window.json"), {});
  const ToolRun smooth =
      RunProgram(QStringLiteral(TORLIN_LIFT_PATH), QStringList(mode) << "--design" << Shipped("smooth-lever.json"), {});
  ASSERT_EQ(window.exitCode, 0) << window.err.toStdString();
  ASSERT_EQ(smooth.exitCode, 0) << smooth.err.toStdString();
  EXPECT_EQ(WithoutDesignNote(plain.out), WithoutDesignNote(window.out));
  EXPECT_NE(WithoutDesignNote(plain.out), WithoutDesignNote(smooth.out));
  EXPECT_FALSE(smooth.out.contains("nan"));
}

}  // namespace
