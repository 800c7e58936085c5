// The program presents itself to the desktop under its one application id, and
// brings its own icon, whose small sizes are the hand-drawn pictures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "app/DesktopIdentity.h"
#include "torlin/Version.h"

TEST(DesktopIdentity, DesktopEntryNameAndWindowIconAreSet) {
  PresentToTheDesktop();
  EXPECT_EQ(QGuiApplication::desktopFileName(), kTorlinAppId);
  EXPECT_EQ(QCoreApplication::applicationVersion(), kTorlinVersion);
  EXPECT_FALSE(QApplication::windowIcon().isNull());
}

TEST(DesktopIdentity, BuiltInIconUsesTheHandDrawnPicturesAtSmallSizes) {
  const QIcon icon = BuiltInIcon();
  for (int size : {16, 24, 32}) {
    const QImage drawn(QStringLiteral(":/icons/%1x%1/apps/%2.png").arg(size).arg(kTorlinAppId));
    ASSERT_EQ(drawn.size(), QSize(size, size));
    const QImage shown = icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(drawn.format());
    EXPECT_EQ(shown, drawn) << size << " px";
  }
  // Larger sizes come from the scalable picture.
  EXPECT_EQ(icon.pixmap(QSize(128, 128), 1.0).size(), QSize(128, 128));
}
