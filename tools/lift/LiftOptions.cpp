#include "LiftOptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace {

QString RangeText(const OptionRange& range) {
  return QStringLiteral("--%1 takes a whole number from %2 to %3")
      .arg(QLatin1String(range.name))
      .arg(range.min)
      .arg(range.max);
}

QCommandLineOption ValueOption(const OptionRange& range, const char* description, int fallback) {
  return QCommandLineOption(QLatin1String(range.name),
                            QStringLiteral("%1 (%2 to %3, default %4).")
                                .arg(QLatin1String(description))
                                .arg(range.min)
                                .arg(range.max)
                                .arg(fallback),
                            QStringLiteral("N"));
}

ParsedOptions Failure(const QString& text) {
  ParsedOptions parsed;
  parsed.outcome = ParsedOptions::Outcome::Error;
  parsed.text = text;
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

const OptionRange* RangeNamed(const QString& argument) {
  for (const OptionRange* range : {&kLeverRange, &kEccentricRange, &kSpeedRange, &kRevolutionsRange}) {
    const QString name = QLatin1String(range->name);
    if (argument == QLatin1String("--") + name || argument == QLatin1String("-") + name) return range;
  }
  return nullptr;
}

}  // namespace

ParsedOptions ParseLiftOptions(const QStringList& arguments) {
  const LiftOptions defaults;
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Runs the valve train without a window and prints, as CSV, one row per completed "
      "frame: revolution,camAngle,bestPitchIndex,bestLeverIndex,rollerX,rollerY,X,Y,valveY.\n"
      "Revolutions are numbered as the animation counts them. It starts at speed 400; at any "
      "other speed its first revolution restarts before completing a frame, so the rows begin "
      "at revolution 2."));
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Shows this help."));
  parser.addOption(help);
  parser.addOption(ValueOption(kLeverRange, "Turn of the first control shaft", defaults.lever));
  parser.addOption(ValueOption(kEccentricRange, "Angle of the second control shaft in tenths of a degree",
                               defaults.eccentric));
  parser.addOption(ValueOption(kSpeedRange, "Speed in hundredths of a cam degree per frame", defaults.speed));
  parser.addOption(ValueOption(kRevolutionsRange, "Cam revolutions to report", defaults.revolutions));

  if (!parser.parse(arguments)) {
    // The only value-taking option that can lack its value is the last argument.
    if (parser.unknownOptionNames().isEmpty() && !arguments.isEmpty()) {
      if (const OptionRange* range = RangeNamed(arguments.last())) {
        return Failure(RangeText(*range) + QStringLiteral(", but none was given"));
      }
    }
    return Failure(parser.errorText() +
                   QStringLiteral(" Options: --lever, --eccentric, --speed, --revolutions, --help."));
  }
  if (parser.isSet(help)) {
    ParsedOptions parsed;
    parsed.outcome = ParsedOptions::Outcome::Help;
    parsed.text = parser.helpText();
    return parsed;
  }
  if (!parser.positionalArguments().isEmpty()) {
    return Failure(QStringLiteral("unexpected argument '%1'; every setting is an option such as --lever N")
                       .arg(parser.positionalArguments().first()));
  }

  ParsedOptions parsed;
  QString error;
  if (!ReadValue(parser, kLeverRange, parsed.options.lever, error) ||
      !ReadValue(parser, kEccentricRange, parsed.options.eccentric, error) ||
      !ReadValue(parser, kSpeedRange, parsed.options.speed, error) ||
      !ReadValue(parser, kRevolutionsRange, parsed.options.revolutions, error)) {
    return Failure(error);
  }
  return parsed;
}
