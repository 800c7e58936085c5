#include "app/DesktopIdentity.h"

#include <QApplication>
#include <QImageReader>
#include <QPixmap>
#include <QString>

#include "torlin/Version.h"

// An icon holds one picture per size: the drawn ones for the small sizes, the
// scalable one rendered for the larger sizes a desktop asks for.
QIcon BuiltInIcon() {
  const QString id = QString::fromLatin1(kTorlinAppId);
  QIcon icon;
  for (int size : {16, 24, 32}) {
    icon.addFile(QStringLiteral(":/icons/%1x%1/apps/%2.png").arg(size).arg(id), QSize(size, size));
  }
  for (int size : {48, 64, 128, 256}) {
    QImageReader scalable(QStringLiteral(":/icons/scalable/apps/%1.svg").arg(id));
    scalable.setScaledSize(QSize(size, size));
    const QImage picture = scalable.read();
    if (!picture.isNull()) icon.addPixmap(QPixmap::fromImage(picture));
  }
  return icon;
}

QIcon WindowIcon() { return QIcon::fromTheme(QString::fromLatin1(kTorlinAppId), BuiltInIcon()); }

// The application name is the window's class on X, by which the desktop finds the
// menu entry; no display name is set, as Qt would append it to the window's title.
void PresentToTheDesktop() {
  QCoreApplication::setApplicationName(QString::fromLatin1(kTorlinAppId));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(kTorlinVersion));
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kTorlinAppId));
  QApplication::setWindowIcon(WindowIcon());
}
