#pragma once

#include <QString>
#include <QStringList>

// Why the window system could not be started, told in one line from what Qt
// itself said: the warnings it gave while trying, and its final fatal message.
struct StartFailure {
  QString line;
  QString reason;  // Qt's own words
  // Qt found no display it could connect to (rather than, say, a missing plugin).
  bool noDisplay = false;
};

// attempts: how many starts were made in all, this one included.
StartFailure DescribeStartFailure(const QStringList& warnings, const QString& fatal, int attempts = 1);

// True when the X display the name points at has a local server (its socket, or
// the lock file of a server that is starting), or is on another host (where only a
// connection would tell). A failed connection to such a
// display is worth another try; to an absent one it is not.
bool DisplayServerMayBeThere(const QByteArray& display);
