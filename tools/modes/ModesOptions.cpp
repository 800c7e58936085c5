#include "ModesOptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QRegularExpression>
#include <initializer_list>
#include <optional>

namespace {

constexpr int kMaxCurves = 12;

// Values each option accepts, as the error line and the help text state them.
QString WholeNumberText(const char* option, int min, int max) {
  return QStringLiteral("--%1 takes a whole number from %2 to %3").arg(QLatin1String(option)).arg(min).arg(max);
}

QString GridText(const OptionRange& bar) {
  return QStringLiteral("--%1 takes FIRST:LAST:STEP, whole numbers with %2 <= FIRST <= LAST <= %3 and STEP >= 1")
      .arg(QLatin1String(bar.name))
      .arg(bar.min)
      .arg(bar.max);
}

QString CurvesText() {
  return QStringLiteral("--curves takes up to %1 LEVER,ECCENTRIC pairs separated by blanks, LEVER from %2 to %3 "
                        "and ECCENTRIC from %4 to %5")
      .arg(kMaxCurves)
      .arg(kLeverRange.min)
      .arg(kLeverRange.max)
      .arg(kEccentricRange.min)
      .arg(kEccentricRange.max);
}

QString StepsOption(const OptionRange& bar) { return QLatin1String(bar.name) + QStringLiteral("-steps"); }

int Span(const OptionRange& bar) { return bar.max - bar.min + 1; }

std::optional<int> WholeNumber(const QString& text, int min, int max) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (!ok || value < min || value > max) return std::nullopt;
  return value;
}

ParsedModesOptions Failure(const QString& text) {
  ParsedModesOptions parsed;
  parsed.outcome = ParsedModesOptions::Outcome::Error;
  parsed.text = text;
  return parsed;
}

// Reads the option's value as a whole number in min..max; false with the message if
// it is not one. Leaves target alone when the option is absent.
bool ReadWholeNumber(const QCommandLineParser& parser, const QString& option, int min, int max, int& target,
                     QString& error) {
  if (!parser.isSet(option)) return true;
  const QString text = parser.value(option);
  const std::optional<int> value = WholeNumber(text, min, max);
  if (!value) {
    error = WholeNumberText(option.toLatin1().constData(), min, max) + QStringLiteral(", not '%1'").arg(text);
    return false;
  }
  target = *value;
  return true;
}

// The values of one bar: FIRST:LAST:STEP, N evenly spread values, or the default.
bool ReadBarValues(const QCommandLineParser& parser, const OptionRange& bar, BarValues& target, QString& error) {
  const QString gridOption = QLatin1String(bar.name);
  const QString stepsOption = StepsOption(bar);
  if (parser.isSet(gridOption) && parser.isSet(stepsOption)) {
    error = QStringLiteral("give --%1 or --%2, not both").arg(gridOption, stepsOption);
    return false;
  }
  if (parser.isSet(gridOption)) {
    const QString text = parser.value(gridOption);
    const QStringList parts = text.split(QLatin1Char(':'));
    std::optional<int> first, last, step;
    if (parts.size() == 3) {
      first = WholeNumber(parts[0], bar.min, bar.max);
      last = WholeNumber(parts[1], bar.min, bar.max);
      step = WholeNumber(parts[2], 1, Span(bar));
    }
    if (!first || !last || !step || *first > *last) {
      error = GridText(bar) + QStringLiteral(", not '%1'").arg(text);
      return false;
    }
    target.values.clear();
    for (int value = *first; value <= *last; value += *step) target.values.push_back(value);
    target.text = QStringLiteral("%1 to %2 in steps of %3").arg(*first).arg(target.values.back()).arg(*step);
    return true;
  }
  int steps = kDefaultStepsPerBar;
  if (!ReadWholeNumber(parser, stepsOption, 2, Span(bar), steps, error)) return false;
  target.values = EvenlySpread(bar.min, bar.max, steps);
  target.text = QStringLiteral("%1 values from %2 to %3").arg(steps).arg(bar.min).arg(bar.max);
  return true;
}

bool ReadCurves(const QCommandLineParser& parser, std::vector<ModeSetting>& curves, QString& error) {
  if (!parser.isSet(QStringLiteral("curves"))) return true;
  const QString text = parser.value(QStringLiteral("curves"));
  const QStringList pairs = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
  curves.clear();
  for (const QString& pair : pairs) {
    const std::optional<ModeSetting> mode = ModeSettingOf(pair);
    if (!mode) {
      error = CurvesText() + QStringLiteral(", not '%1'").arg(pair);
      return false;
    }
    curves.push_back(*mode);
  }
  if (curves.empty() || curves.size() > kMaxCurves) {
    error = CurvesText() + QStringLiteral(", not '%1'").arg(text);
    return false;
  }
  return true;
}

// The option named by a lone last argument, for a clear line when its value is missing.
std::optional<QString> ValueOptionNamed(const QString& argument) {
  QString bare = argument;
  while (bare.startsWith(QLatin1Char('-'))) bare.remove(0, 1);
  for (const char* option : {"lever", "eccentric", "lever-steps", "eccentric-steps", "speed", "plot-dir", "curves",
                             "threads", "svaj", "step", "rpm"}) {
    if (bare == QLatin1String(option)) return bare;
  }
  return std::nullopt;
}

QCommandLineOption ValueOption(const QString& name, const QString& description, const char* valueName) {
  return QCommandLineOption(name, description, QLatin1String(valueName));
}

}  // namespace

std::optional<ModeSetting> ModeSettingOf(const QString& text) {
  const QStringList parts = text.split(QLatin1Char(','));
  if (parts.size() != 2) return std::nullopt;
  const std::optional<int> lever = WholeNumber(parts[0], kLeverRange.min, kLeverRange.max);
  const std::optional<int> eccentric = WholeNumber(parts[1], kEccentricRange.min, kEccentricRange.max);
  if (!lever || !eccentric) return std::nullopt;
  return ModeSetting{*lever, *eccentric};
}

ParsedModesOptions ParseModesOptions(const QStringList& arguments) {
  const ModesOptions defaults;
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Runs the window's kinematics for every mode of a grid of the two control-shaft bars and prints, as CSV, "
      "one row per mode: the maximum valve lift and where it occurs, and the opening, closing and duration at "
      "0.1 mm and 1 mm of lift, in crank degrees (twice the cam angle). Each mode is one steady revolution. "
      "With --plot-dir it also draws the lift-duration map, heat maps and lift curves as PNG and SVG."));
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Shows this help."));
  parser.addOption(help);
  for (const OptionRange* bar : {&kLeverRange, &kEccentricRange}) {
    const QString name = QLatin1String(bar->name);
    parser.addOption(ValueOption(
        StepsOption(*bar),
        QStringLiteral("Number of %1 values, spread evenly over %2 to %3 and rounded (2 to %4, default %5).")
            .arg(name)
            .arg(bar->min)
            .arg(bar->max)
            .arg(Span(*bar))
            .arg(kDefaultStepsPerBar),
        "N"));
    parser.addOption(ValueOption(
        name, QStringLiteral("The %1 values FIRST, FIRST+STEP, ... up to LAST (within %2 to %3).")
                  .arg(name)
                  .arg(bar->min)
                  .arg(bar->max),
        "FIRST:LAST:STEP"));
  }
  parser.addOption(ValueOption(QLatin1String(kSpeedRange.name),
                               QStringLiteral("Speed in hundredths of a cam degree per frame (%1 to %2, default %3).")
                                   .arg(kSpeedRange.min)
                                   .arg(kSpeedRange.max)
                                   .arg(defaults.speed),
                               "N"));
  parser.addOption(ValueOption(QStringLiteral("plot-dir"),
                               QStringLiteral("Writes the pictures, PNG and SVG, into this folder (made if missing)."),
                               "DIR"));
  parser.addOption(ValueOption(
      QStringLiteral("curves"),
      QStringLiteral("Modes whose lift curves are drawn, as LEVER,ECCENTRIC pairs separated by blanks (up to %1).")
          .arg(kMaxCurves),
      "PAIRS"));
  parser.addOption(ValueOption(QStringLiteral("threads"),
                               QStringLiteral("Worker threads (1 to %1, default: one per core).").arg(kMaxThreads),
                               "N"));
  AddExactOptions(parser);

  if (!parser.parse(arguments)) {
    if (parser.unknownOptionNames().isEmpty() && !arguments.isEmpty()) {
      if (const std::optional<QString> option = ValueOptionNamed(arguments.last())) {
        return Failure(QStringLiteral("--%1 needs a value").arg(*option));
      }
    }
    return Failure(parser.errorText() + QStringLiteral(" See --help for the options."));
  }
  if (parser.isSet(help)) {
    ParsedModesOptions parsed;
    parsed.outcome = ParsedModesOptions::Outcome::Help;
    // Parsed before any application object exists (its kind depends on the options),
    // so the parser does not know the program's name.
    parsed.text = parser.helpText().replace(QLatin1String("<executable_name>"), QLatin1String("torlin-modes"));
    return parsed;
  }
  if (!parser.positionalArguments().isEmpty()) {
    return Failure(QStringLiteral("unexpected argument '%1'; every setting is an option such as --speed N")
                       .arg(parser.positionalArguments().first()));
  }

  ParsedModesOptions parsed;
  ModesOptions& options = parsed.options;
  QString error;
  if (!ReadBarValues(parser, kLeverRange, options.lever, error) ||
      !ReadBarValues(parser, kEccentricRange, options.eccentric, error) ||
      !ReadWholeNumber(parser, QLatin1String(kSpeedRange.name), kSpeedRange.min, kSpeedRange.max, options.speed, error) ||
      !ReadWholeNumber(parser, QStringLiteral("threads"), 1, kMaxThreads, options.threads, error) ||
      !ReadCurves(parser, options.curves, error)) {
    return Failure(error);
  }
  bool mapOptionsGiven = false;
  for (const char* option : {"lever", "eccentric", "lever-steps", "eccentric-steps", "curves"}) {
    mapOptionsGiven = mapOptionsGiven || parser.isSet(QLatin1String(option));
  }
  if (!ReadExactOptions(parser, mapOptionsGiven, options.exact, error)) return Failure(error);
  if (parser.isSet(QStringLiteral("plot-dir"))) {
    options.plotDir = parser.value(QStringLiteral("plot-dir"));
    if (options.plotDir.isEmpty()) return Failure(QStringLiteral("--plot-dir needs a folder name"));
  }
  if (parser.isSet(QStringLiteral("curves")) && options.plotDir.isEmpty()) {
    return Failure(QStringLiteral("--curves draws lift curves, so it needs --plot-dir DIR"));
  }
  return parsed;
}
