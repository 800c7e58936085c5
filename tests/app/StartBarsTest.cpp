// torlin --lever L --eccentric E --speed S: the window starts with its bars there, the
// values checked like the tools' options; each bar's tooltip reads its live value.
#include <QToolTip>
#include <string>
#include <vector>

#include "ProgramRun.h"
#include "RunningWindow.h"
#include "app/CommandLine.h"

namespace {

// The command line read in this process, as main reads it.
std::optional<int> ReadLine(std::vector<std::string> words, command_line::StartBars& bars) {
  words.insert(words.begin(), "torlin");
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  return command_line::Read(static_cast<int>(words.size()), argv.data(), bars);
}

}  // namespace

TEST_F(RunningWindow, StartsWithTheBarsTheCommandLineGives) {
  command_line::StartBars bars;
  ASSERT_FALSE(ReadLine({"--lever", "30", "--eccentric=450", "-speed", "200"}, bars));
  command_line::SetStartBars(*window, bars);
  std::vector<FrameReport> frames;
  int leverAtFirstFrame = -1;
  int eccentricAtFirstFrame = -1;
  onFrame = [&](const FrameReport& frame) {
    if (leverAtFirstFrame < 0) {
      leverAtFirstFrame = window->Value(ScrollBar::VScroll1);
      eccentricAtFirstFrame = window->Value(ScrollBar::VScroll2);
    }
    if (frame.revolution == 3) frames.push_back(frame);
    if (frame.revolution == 4) window->EndProgram();
  };
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(leverAtFirstFrame, 30);
  EXPECT_EQ(eccentricAtFirstFrame, 450);
  EXPECT_EQ(window->Value(ScrollBar::HScroll1), 200);
  // Two cam degrees per frame: 180 frames, 0 to 358.
  ASSERT_EQ(frames.size(), 180u);
  EXPECT_EQ(frames[1].camAngle, 2);
  EXPECT_EQ(frames.back().camAngle, 358);

  // The tooltips read the values, and follow them.
  const Controls& c = window->Widgets();
  EXPECT_TRUE(c.VScroll1->toolTip().endsWith(QStringLiteral("value 30: the lever turned -5.73° (-0.1000 rad)")))
      << c.VScroll1->toolTip().toStdString();
  EXPECT_TRUE(c.VScroll2->toolTip().endsWith(QStringLiteral("value 450: the eccentric at 45.0°")))
      << c.VScroll2->toolTip().toStdString();
  EXPECT_TRUE(c.HScroll1->toolTip().endsWith(QStringLiteral("value 200: 2.00 cam degrees per frame")))
      << c.HScroll1->toolTip().toStdString();
  c.VScroll2->setValue(-95);
  EXPECT_TRUE(c.VScroll2->toolTip().endsWith(QStringLiteral("value -95: the eccentric at -9.5°")))
      << c.VScroll2->toolTip().toStdString();
  EXPECT_TRUE(c.VScroll2->toolTip().startsWith(QStringLiteral("Orange control shaft")));
}

TEST(StartBars, NoOptionsLeaveTheDesignedStart) {
  command_line::StartBars bars;
  ASSERT_FALSE(ReadLine({}, bars));
  EXPECT_FALSE(bars.lever || bars.eccentric || bars.speed);
}

// Out of range, not whole, not a number, twice, or missing: one line, status 2,
// nothing on standard output, the value echoed short; and all before any display.
TEST(StartBars, BadValuesAreOneLineAndStatusTwo) {
  const std::string longValue(100000, '7');
  struct Case {
    QStringList arguments;
    QString line;
  };
  const Case cases[] = {
      {{"--lever", "116"}, "torlin: --lever takes a whole number from 0 to 115, not '116' (see torlin --help)"},
      {{"--eccentric=2.5"}, "torlin: --eccentric takes a whole number from -95 to 700, not '2.5' (see torlin --help)"},
      {{"--speed", "fast"}, "torlin: --speed takes a whole number from 25 to 1000, not 'fast' (see torlin --help)"},
      {{"--speed", "24"}, "torlin: --speed takes a whole number from 25 to 1000, not '24' (see torlin --help)"},
      {{"--lever", " 5"}, "torlin: --lever takes a whole number from 0 to 115, not ' 5' (see torlin --help)"},
      {{"--lever", "5", "--lever", "6"}, "torlin: --lever is given 2 times (see torlin --help)"},
      {{"--eccentric"}, "torlin: missing value after '--eccentric' (see torlin --help)"},
      {{"--lever", QString::fromStdString(longValue)},
       "torlin: --lever takes a whole number from 0 to 115, not '" + QString(40, '7') + "...' (see torlin --help)"},
  };
  for (const Case& c : cases) {
    const ProgramOutcome outcome = RunProgram(WithoutDisplay(), c.arguments);
    EXPECT_EQ(outcome.status, 2) << c.arguments.join(' ').left(80).toStdString();
    EXPECT_TRUE(outcome.output.isEmpty());
    EXPECT_EQ(outcome.errors.left(200), c.line.left(200)) << c.arguments.join(' ').left(80).toStdString();
  }
  const ProgramOutcome help = RunProgram(WithoutDisplay(), {"--help"});
  for (const char* option : {"--lever <N>", "--eccentric <N>", "--speed <N>"}) {
    EXPECT_TRUE(help.output.contains(QLatin1String(option))) << option;
  }
  EXPECT_TRUE(help.output.contains(QLatin1String("(0 to 115, default 60)")));
}
