// The real program on virtual X screens: on a small screen the whole window, with
// the credit at its bottom, is on the screen; on a large one it is as designed.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QThread>

#include "VirtualDisplay.h"
#include "torlin/Version.h"

namespace {

QString RunTool(const QProcessEnvironment& environment, const QString& tool, const QStringList& arguments,
                QByteArray* binary = nullptr) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(tool, arguments);
  if (!process.waitForFinished(30000)) process.kill(), process.waitForFinished();
  const QByteArray output = process.readAllStandardOutput();
  if (binary) *binary = output;
  QString text = QString::fromLocal8Bit(output);
  while (text.endsWith('\n')) text.chop(1);
  return text;
}

struct Shown {
  QString title;
  QString windowClass;
  QRect place;   // the window on the screen, in screen pixels
  QImage screen; // the whole screen
};

// Starts the program on the display, waits until its window is shown and drawn,
// records where it is and what the screen shows, and ends it with Escape.
Shown StartAndLook(VirtualDisplay& display, const QString& scaleFactor = {}) {
  QProcessEnvironment environment = display.Environment();
  if (!scaleFactor.isEmpty()) environment.insert("QT_SCALE_FACTOR", scaleFactor);
  QProcess torlin;
  torlin.setProcessEnvironment(environment);
  torlin.start(QStringLiteral(TORLIN_BINARY), {});
  EXPECT_TRUE(torlin.waitForStarted());
  const QString pid = QString::number(torlin.processId());
  const QString id = RunTool(environment, "xdotool", {"search", "--sync", "--onlyvisible", "--pid", pid}).section('\n', 0, 0);
  EXPECT_FALSE(id.isEmpty()) << "no window appeared";
  QThread::msleep(1500);  // framed, fitted and drawn

  Shown shown;
  shown.title = RunTool(environment, "xdotool", {"getwindowname", id});
  shown.windowClass = RunTool(environment, "xprop", {"-id", id, "WM_CLASS"});
  // "Position: 0,0 (screen: 0)" and "Geometry: 891x614"
  const QString geometry = RunTool(environment, "xdotool", {"getwindowgeometry", id});
  const QString at = geometry.section("Position: ", 1).section(' ', 0, 0);
  const QString size = geometry.section("Geometry: ", 1).section('\n', 0, 0);
  shown.place = QRect(at.section(',', 0, 0).toInt(), at.section(',', 1, 1).toInt(), size.section('x', 0, 0).toInt(),
                      size.section('x', 1, 1).toInt());
  QByteArray png;
  RunTool(environment, "import", {"-window", "root", "png:-"}, &png);
  shown.screen.loadFromData(png, "PNG");

  RunTool(environment, "xdotool", {"windowfocus", "--sync", id, "key", "Escape"});
  EXPECT_TRUE(torlin.waitForFinished(20000));
  EXPECT_EQ(torlin.exitCode(), 0) << torlin.readAllStandardError().toStdString();
  return shown;
}

// Teal text of the credit in the bottom right part of the window (the credit
// panel spans 640..945 x 528..625 of the designed 960 x 662).
int CreditPixels(const Shown& shown) {
  const QRect& w = shown.place;
  const QRect credit(w.x() + w.width() * 640 / 960, w.y() + w.height() * 528 / 662, w.width() * 305 / 960,
                     w.height() * 97 / 662);
  int teal = 0;
  for (int y = credit.top(); y <= credit.bottom(); ++y) {
    for (int x = credit.left(); x <= credit.right(); ++x) {
      const QColor c = shown.screen.pixelColor(x, y);
      teal += c.red() < 100 && c.green() > 120 && c.blue() > 120;
    }
  }
  return teal;
}

void ExpectWholeWindowOnScreen(const QString& screenSize, const QString& scaleFactor) {
  VirtualDisplay display(screenSize + "x24");
  ASSERT_TRUE(display.Problem().isEmpty()) << display.Problem().toStdString();
  const Shown shown = StartAndLook(display, scaleFactor);
  ASSERT_FALSE(shown.screen.isNull());
  EXPECT_TRUE(shown.screen.rect().contains(shown.place))
      << "window at " << shown.place.x() << "," << shown.place.y() << " size " << shown.place.width() << "x"
      << shown.place.height();
  // Scaled by one factor: the designed proportions within a pixel.
  EXPECT_NEAR(shown.place.width() * 662.0 / 960.0, shown.place.height(), 1.5);
  EXPECT_GT(CreditPixels(shown), 200);
}

}  // namespace

TEST(SmallScreen, WholeWindowFitsA1024By600Screen) { ExpectWholeWindowOnScreen("1024x600", {}); }

TEST(SmallScreen, WholeWindowFitsA1366By768ScreenAt125PerCent) { ExpectWholeWindowOnScreen("1366x768", "1.25"); }

TEST(SmallScreen, WindowIsAsDesignedWhereItFits) {
  VirtualDisplay display("1280x1024x24");
  ASSERT_TRUE(display.Problem().isEmpty()) << display.Problem().toStdString();
  const Shown shown = StartAndLook(display);
  EXPECT_EQ(shown.place.size(), QSize(960, 662));
  // The caption exactly as designed; the class names the desktop entry.
  EXPECT_EQ(shown.title, "  Torlin Brennick" + QString(24, ' ') +
                            "Click on the buttons, on the window, move the scroll bars, approach lower red cross, etc");
  EXPECT_TRUE(shown.windowClass.endsWith(QString("\"%1\"").arg(kTorlinAppId))) << shown.windowClass.toStdString();
  EXPECT_GT(CreditPixels(shown), 200);
}
