#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <cstdio>

#include "torlin/Version.h"

namespace command_line {
namespace {

struct Parser {
  Parser() {
    parser.setApplicationDescription(QStringLiteral(
        "Animates a variable valve actuation mechanism with two control shafts and\n"
        "plots the valve lift. Escape, \"QUIT\" or a double-click on the window ends\n"
        "it. Qt's own options (-platform, -display, -style, ...) are accepted too."));
    // Qt's own options are written with one dash (-platform xcb): read them as words.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")},
                      QStringLiteral("Show the program's version and exit.")});
  }
  QCommandLineParser parser;
};

QStringList Arguments(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  return arguments;
}

}  // namespace

std::optional<int> AnswerInformationRequest(int argc, char** argv) {
  Parser p;
  // Unknown options are allowed here: they may be Qt's, which only the application
  // object knows.
  p.parser.parse(Arguments(argc, argv));
  if (p.parser.isSet(QStringLiteral("help"))) {
    // Without an application object the parser cannot know the program's name.
    QString text = p.parser.helpText();
    text.replace(QLatin1String("<executable_name>"), QLatin1String("torlin"));
    std::fputs(qUtf8Printable(text), stdout);
    return 0;
  }
  if (p.parser.isSet(QStringLiteral("version"))) {
    std::printf("torlin %s\n", kTorlinVersion);
    return 0;
  }
  return std::nullopt;
}

std::optional<int> RejectLeftovers(const QStringList& arguments) {
  Parser p;
  QString problem;
  if (!p.parser.parse(arguments)) {
    problem = p.parser.errorText();
    if (problem.endsWith(QLatin1Char('.'))) problem.chop(1);
    problem[0] = problem[0].toLower();
  } else if (!p.parser.positionalArguments().isEmpty()) {
    problem = QStringLiteral("unexpected argument '%1'").arg(p.parser.positionalArguments().constFirst());
  }
  if (problem.isEmpty()) return std::nullopt;
  std::fprintf(stderr, "torlin: %s (see torlin --help)\n", qUtf8Printable(problem.simplified()));
  return 2;
}

}  // namespace command_line
