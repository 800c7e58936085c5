#include "LiftOptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <array>

// Every option error reads the same way: a lower-case phrase naming the option as
// the user wrote it, the offending text in single quotes, no full stop.

namespace {

constexpr std::array<const OptionRange*, 4> kRanges{&kLeverRange, &kEccentricRange, &kSpeedRange,
                                                    &kRevolutionsRange};
constexpr std::array<const char*, 3> kSwitches{"all-frames", "help", "version"};

QString RangeText(const OptionRange& range) {
  return QStringLiteral("--%1 takes a whole number from %2 to %3")
      .arg(QLatin1String(range.name))
      .arg(range.min)
      .arg(range.max);
}

ParsedOptions Failure(const QString& error) {
  ParsedOptions parsed;
  parsed.outcome = ParsedOptions::Outcome::Error;
  parsed.error = error;
  return parsed;
}

ParsedOptions Finished(ParsedOptions::Outcome outcome) {
  ParsedOptions parsed;
  parsed.outcome = outcome;
  return parsed;
}

// Reads one option into target if given; false (with the message) if its value is
// not a whole number inside the range.
bool ReadValue(const QCommandLineParser& parser, const OptionRange& range, int& target,
               QString& error) {
  const QString name = QLatin1String(range.name);
  if (!parser.isSet(name)) return true;
  const QString text = parser.value(name);
  bool isNumber = false;
  const int value = text.toInt(&isNumber);
  if (!isNumber || value < range.min || value > range.max) {
    error = RangeText(range) + QStringLiteral(", not '%1'").arg(text);
    return false;
  }
  target = value;
  return true;
}

// An option argument split into its name (without dashes) and whether it carries
// "=value"; empty name for arguments that are not options.
struct OptionArgument {
  QString written;  // as typed, without any "=value"
  QString name;
  bool hasValue = false;
};

OptionArgument SplitOption(const QString& argument) {
  OptionArgument option;
  if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) return option;
  const qsizetype equals = argument.indexOf(QLatin1Char('='));
  option.written = equals < 0 ? argument : argument.left(equals);
  option.hasValue = equals >= 0;
  qsizetype dashes = 0;
  while (dashes < option.written.size() && dashes < 2 && option.written[dashes] == QLatin1Char('-')) ++dashes;
  option.name = option.written.mid(dashes);
  return option;
}

// The parser only says that parsing failed; this finds which argument and says why.
QString ParseError(const QCommandLineParser& parser, const QStringList& arguments) {
  const QStringList unknown = parser.unknownOptionNames();
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == QLatin1String("--")) break;
    const OptionArgument option = SplitOption(arguments[i]);
    if (option.name.isEmpty()) continue;
    if (unknown.contains(option.name)) {
      return QStringLiteral("unknown option '%1'; the options are listed by --help").arg(option.written);
    }
    for (const char* name : kSwitches) {
      if (option.hasValue && option.name == QLatin1String(name)) {
        return QStringLiteral("%1 takes no value, not '%2'")
            .arg(option.written, arguments[i].mid(option.written.size() + 1));
      }
    }
    // A value-taking option can lack its value only as the last argument.
    for (const OptionRange* range : kRanges) {
      if (i == arguments.size() - 1 && !option.hasValue && option.name == QLatin1String(range->name)) {
        return RangeText(*range) + QStringLiteral(", but none was given");
      }
    }
  }
  QString text = parser.errorText();
  if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  if (!text.isEmpty()) text[0] = text[0].toLower();
  return text;
}

}  // namespace

ParsedOptions ParseLiftOptions(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringLiteral("version"));
  const QCommandLineOption allFrames(QStringLiteral("all-frames"));
  parser.addOptions({help, version, allFrames});
  for (const OptionRange* range : kRanges) {
    parser.addOption(QCommandLineOption(QLatin1String(range->name), QString(), QStringLiteral("N")));
  }

  if (!parser.parse(arguments)) return Failure(ParseError(parser, arguments));
  if (parser.isSet(help)) return Finished(ParsedOptions::Outcome::Help);
  if (parser.isSet(version)) return Finished(ParsedOptions::Outcome::Version);
  if (!parser.positionalArguments().isEmpty()) {
    return Failure(QStringLiteral("unexpected argument '%1'; every setting is an option such as --lever N")
                       .arg(parser.positionalArguments().first()));
  }

  ParsedOptions parsed;
  parsed.options.allFrames = parser.isSet(allFrames);
  QString error;
  if (!ReadValue(parser, kLeverRange, parsed.options.lever, error) ||
      !ReadValue(parser, kEccentricRange, parsed.options.eccentric, error) ||
      !ReadValue(parser, kSpeedRange, parsed.options.speed, error) ||
      !ReadValue(parser, kRevolutionsRange, parsed.options.revolutions, error)) {
    return Failure(error);
  }
  return parsed;
}
