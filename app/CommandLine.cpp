#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

#include "animation/ControlDesign.h"
#include "torlin/Version.h"

namespace command_line {
namespace {

// Qt's own options, which the application object takes: those with a value and
// those without. They are accepted here and left for Qt.
constexpr const char* kQtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry",
    "qwindowtitle", "title", "qwindowicon", "icon", "session", "display", "name", "visual",
    "style", "stylesheet", "qmljsdebugger", "dialogs", "fontengine"};
constexpr const char* kQtFlags[] = {"reverse", "sync", "nograb", "dograb", "widgetcount", "testability"};

// The bars a start value may be given for: option, design, what the value sets.
struct BarOption {
  const char* option;
  const char* design;
  const char* meaning;
  std::optional<int> StartBars::*value;
};
constexpr BarOption kBarOptions[] = {
    {"lever", "VScroll1", "Start the green control shaft's bar (the lever, right of the mechanism) at N", &StartBars::lever},
    {"eccentric", "VScroll2", "Start the orange control shaft's bar (the eccentric, left) at N", &StartBars::eccentric},
    {"speed", "HScroll1", "Start the speed bar at N (cam degrees per frame times 100)", &StartBars::speed},
};

// An echoed value is cut short: a line stays a line.
constexpr qsizetype kLongestEcho = 40;

struct Parser {
  Parser() {
    parser.setApplicationDescription(QStringLiteral(
        "Animates a variable valve actuation mechanism with two control shafts and\n"
        "plots the valve lift. Escape, \"QUIT\" or a double-click on the window ends\n"
        "it. Qt's own options (-platform, -display, -style, ...) are accepted too.\n"
        "Exit status: 0 when the window is closed, 1 when no window can be shown or\n"
        "the help cannot be written, 2 for a mistake on the command line."));
    // Qt's own options are written with one dash (-platform xcb): read them as words.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")},
                      QStringLiteral("Show the program's version and exit.")});
    for (const BarOption& bar : kBarOptions) {
      const ControlDesign& design = ControlDesignNamed(bar.design);
      parser.addOption({QString::fromLatin1(bar.option),
                        QStringLiteral("%1 (%2 to %3, default %4).")
                            .arg(QString::fromLatin1(bar.meaning))
                            .arg(design.min)
                            .arg(design.max)
                            .arg(design.value),
                        QStringLiteral("N")});
    }
    for (const char* name : kQtOptionsWithValue) Hidden(name, QStringLiteral("value"));
    for (const char* name : kQtFlags) Hidden(name, QString());
  }

  void Hidden(const char* name, const QString& valueName) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), valueName);
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }

  QCommandLineParser parser;
};

QStringList Arguments(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  return arguments;
}

// Writes text to standard output; a failure (a full disk, a closed pipe) is told
// on standard error with its reason. Returns the exit status.
int Answer(const std::string& text, const char* what) {
  errno = 0;
  const bool written = std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0 && !std::ferror(stdout);
  if (written) return 0;
  const int reason = errno != 0 ? errno : EIO;
  std::fprintf(stderr, "torlin: cannot write the %s: %s\n", what, std::strerror(reason));
  return 1;
}

std::optional<int> Mistake(QString problem) {
  if (problem.endsWith(QLatin1Char('.'))) problem.chop(1);
  if (!problem.isEmpty()) problem[0] = problem[0].toLower();
  std::fprintf(stderr, "torlin: %s (see torlin --help)\n", qUtf8Printable(problem.simplified()));
  return 2;
}

// A whole number within the bar's range, or nothing.
std::optional<int> BarValue(const QString& text, const ControlDesign& design) {
  const QByteArray digits = text.toUtf8();
  int value = 0;
  const auto [end, error] = std::from_chars(digits.constData(), digits.constData() + digits.size(), value);
  if (error != std::errc() || end != digits.constData() + digits.size() || digits.isEmpty()) return std::nullopt;
  if (value < design.min || value > design.max) return std::nullopt;
  return value;
}

QString Echo(const QString& text) {
  return text.size() <= kLongestEcho ? text : text.left(kLongestEcho) + QStringLiteral("...");
}

}  // namespace

std::optional<int> Read(int argc, char** argv, StartBars& bars) {
  Parser p;
  const bool parsed = p.parser.parse(Arguments(argc, argv));
  // Help and version answer even when something else on the line is amiss.
  if (p.parser.isSet(QStringLiteral("help"))) {
    // Without an application object the parser cannot know the program's name.
    QString text = p.parser.helpText();
    text.replace(QLatin1String("<executable_name>"), QLatin1String("torlin"));
    return Answer(text.toStdString(), "help");
  }
  if (p.parser.isSet(QStringLiteral("version"))) {
    return Answer(std::string("torlin ") + kTorlinVersion + "\n", "version");
  }
  if (!parsed) return Mistake(p.parser.errorText());
  if (!p.parser.positionalArguments().isEmpty()) {
    return Mistake(QStringLiteral("unexpected argument '%1'").arg(Echo(p.parser.positionalArguments().constFirst())));
  }
  for (const BarOption& bar : kBarOptions) {
    const QString name = QString::fromLatin1(bar.option);
    if (!p.parser.isSet(name)) continue;
    const ControlDesign& design = ControlDesignNamed(bar.design);
    const QStringList given = p.parser.values(name);
    if (given.size() > 1) return Mistake(QStringLiteral("--%1 is given %2 times").arg(name).arg(given.size()));
    bars.*bar.value = BarValue(given.constFirst(), design);
    if (!(bars.*bar.value)) {
      return Mistake(QStringLiteral("--%1 takes a whole number from %2 to %3, not '%4'")
                         .arg(name)
                         .arg(design.min)
                         .arg(design.max)
                         .arg(Echo(given.constFirst())));
    }
  }
  return std::nullopt;
}

void SetStartBars(FrontEnd& frontEnd, const StartBars& bars) {
  if (bars.lever) frontEnd.SetValue(ScrollBar::VScroll1, *bars.lever);
  if (bars.eccentric) frontEnd.SetValue(ScrollBar::VScroll2, *bars.eccentric);
  if (bars.speed) frontEnd.SetValue(ScrollBar::HScroll1, *bars.speed);
}

}  // namespace command_line
