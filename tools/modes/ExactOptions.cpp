#include "ExactOptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QLocale>
#include <cmath>

#include "ModesOptions.h"

namespace {

const QString kExact = QStringLiteral("exact");
const QString kSvaj = QStringLiteral("svaj");
const QString kStep = QStringLiteral("step");
const QString kRpm = QStringLiteral("rpm");

// A plain decimal number, read the C way whatever the locale.
std::optional<double> DecimalNumber(const QString& text) {
  bool ok = false;
  const double value = QLocale::c().toDouble(text.trimmed(), &ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

void AddExactOptions(QCommandLineParser& parser) {
  parser.addOption(QCommandLineOption(
      kExact, QStringLiteral("Adds the exact kinematics' columns to the map: the same summary from the continuous "
                             "curves, and the largest difference between the two lifts per mode.")));
  parser.addOption(QCommandLineOption(
      kSvaj,
      QStringLiteral("Instead of the map: lift, velocity, acceleration and jerk of one mode from the exact "
                     "kinematics, LEVER from %1 to %2 and ECCENTRIC from %3 to %4, with the window's lift at its "
                     "frames. With --plot-dir also the SVAJ plots and the window against the exact lift.")
          .arg(kLeverRange.min)
          .arg(kLeverRange.max)
          .arg(kEccentricRange.min)
          .arg(kEccentricRange.max),
      QStringLiteral("LEVER,ECCENTRIC")));
  parser.addOption(QCommandLineOption(
      kStep, QStringLiteral("Crank degrees between --svaj rows (%1 to 720, default %2).")
                 .arg(kMinSvajStepDeg)
                 .arg(kDefaultSvajStepDeg),
      QStringLiteral("DEG")));
  parser.addOption(QCommandLineOption(
      kRpm, QStringLiteral("Engine speed for --svaj: derivatives in mm/s, m/s^2 and m/s^3 (above 0, up to %1).")
                .arg(kMaxRpm),
      QStringLiteral("N")));
}

bool ReadExactOptions(const QCommandLineParser& parser, bool mapOptionsGiven, ExactOptions& target,
                      QString& error) {
  target.exactMap = parser.isSet(kExact);
  if (parser.isSet(kSvaj)) {
    const QString text = parser.value(kSvaj);
    const std::optional<ModeSetting> mode = ModeSettingOf(text);
    if (!mode) {
      error = QStringLiteral("--svaj takes LEVER,ECCENTRIC, whole numbers with LEVER from %1 to %2 and ECCENTRIC "
                             "from %3 to %4, not '%5'")
                  .arg(kLeverRange.min)
                  .arg(kLeverRange.max)
                  .arg(kEccentricRange.min)
                  .arg(kEccentricRange.max)
                  .arg(text);
      return false;
    }
    target.svaj = *mode;
    if (target.exactMap || mapOptionsGiven) {
      error = QStringLiteral("--svaj shows one mode, so it takes no map options (--exact, --lever, --eccentric, "
                             "their -steps, --curves)");
      return false;
    }
  }
  if (parser.isSet(kStep)) {
    const QString text = parser.value(kStep);
    const std::optional<double> step = DecimalNumber(text);
    if (!step || *step < kMinSvajStepDeg || *step > 720) {
      error = QStringLiteral("--step takes crank degrees from %1 to 720, not '%2'").arg(kMinSvajStepDeg).arg(text);
      return false;
    }
    target.svajStepDeg = *step;
  }
  if (parser.isSet(kRpm)) {
    const QString text = parser.value(kRpm);
    const std::optional<double> rpm = DecimalNumber(text);
    if (!rpm || !(*rpm > 0) || *rpm > kMaxRpm) {
      error = QStringLiteral("--rpm takes an engine speed above 0 and up to %1, not '%2'").arg(kMaxRpm).arg(text);
      return false;
    }
    target.rpm = *rpm;
  }
  if ((parser.isSet(kStep) || parser.isSet(kRpm)) && !target.svaj) {
    error = QStringLiteral("--step and --rpm shape the --svaj output, so they need --svaj LEVER,ECCENTRIC");
    return false;
  }
  return true;
}
