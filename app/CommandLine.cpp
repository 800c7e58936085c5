#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

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

}  // namespace

std::optional<int> Read(int argc, char** argv) {
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
    return Mistake(QStringLiteral("unexpected argument '%1'").arg(p.parser.positionalArguments().constFirst()));
  }
  return std::nullopt;
}

}  // namespace command_line
