#include "app/StartFailure.h"

#include <QByteArray>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QLatin1String kConnectFailure("could not connect to display");

QString OneLine(const QString& text) { return text.simplified(); }

}  // namespace

StartFailure DescribeStartFailure(const QStringList& warnings, const QString& fatal, int attempts) {
  // Qt's fatal message only says that no platform could be started; the warning
  // before it says why. The fatal message adds which platforms exist.
  QString reason;
  for (const QString& warning : warnings) {
    if (!warning.trimmed().isEmpty()) {
      reason = OneLine(warning);
      break;
    }
  }
  const bool noDisplay = reason.startsWith(kConnectFailure, Qt::CaseInsensitive);
  if (noDisplay) {
    const QString tries = attempts > 1 ? QStringLiteral("; tried %1 times").arg(attempts) : QString();
    return {QStringLiteral("torlin: no display found (%1%2). Run it on a graphical desktop, or under a "
                           "virtual display: xvfb-run torlin")
                .arg(reason, tries),
            reason, true};
  }
  const qsizetype available = fatal.indexOf(QLatin1String("Available platform plugins are:"));
  if (available >= 0) {
    const QString list = OneLine(fatal.mid(available));
    reason = reason.isEmpty() ? list : reason + QLatin1String(". ") + list;
  }
  if (reason.isEmpty()) reason = OneLine(fatal);
  return {QStringLiteral("torlin: cannot start the window system: %1").arg(reason), reason, false};
}

bool DisplayServerMayBeThere(const QByteArray& display) {
  // [host]:number[.screen]; an empty host or "unix" means this machine.
  static const QRegularExpression form(QStringLiteral("^([^:]*):(\\d+)(\\.\\d+)?$"));
  const QRegularExpressionMatch match = form.match(QString::fromLocal8Bit(display));
  if (!match.hasMatch()) return false;
  const QString host = match.captured(1);
  if (!host.isEmpty() && host != QLatin1String("unix")) return true;
  // A starting server takes its lock file before it listens on its socket.
  const QString number = match.captured(2);
  return QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X") + number) ||
         QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number));
}
