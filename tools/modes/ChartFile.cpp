#include "ChartFile.h"

#include <QBuffer>
#include <QChart>
#include <QDir>
#include <QFile>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include "ChartParts.h"
#include "common/StopSignals.h"

namespace {

// A file name for an error line: bytes that are not UTF-8 written as \xHH.
QString Shown(const std::string& path) {
  const QString text = QString::fromStdString(path);
  if (text.toStdString() == path) return text;
  QString shown;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    shown += byte < 0x80 ? QString(QLatin1Char(c)) : QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
  }
  return shown;
}

QString CannotWrite(const std::string& path, const QString& reason) {
  return QStringLiteral("cannot write %1: %2").arg(Shown(path), reason);
}

// Gives stacked charts one left and one right edge of the plot area: the widest axis
// labels decide, and the others get that much more margin, so that equal x values lie
// on one vertical line in every chart (to a pixel: margins are whole).
void LineUpPlotAreas(const std::vector<QChart*>& charts) {
  if (charts.size() < 2) return;
  double left = 0;
  double right = 1e300;
  for (QChart* chart : charts) {
    left = std::max(left, chart->plotArea().left());
    right = std::min(right, chart->plotArea().right());
  }
  for (QChart* chart : charts) {
    QMargins margins = chart->margins();
    margins.setLeft(margins.left() + int(std::lround(left - chart->plotArea().left())));
    margins.setRight(margins.right() + int(std::lround(chart->plotArea().right() - right)));
    chart->setMargins(margins);
    chart->layout()->activate();  // now, not at the next turn of an event loop
  }
}

// Renders the charts, one below the other, through a scene of their own and takes
// them back out, so that the caller keeps ownership.
void Render(const std::vector<QChart*>& charts, QPainter& painter, QSize eachSize) {
  QGraphicsScene scene;
  for (std::size_t i = 0; i < charts.size(); ++i) {
    scene.addItem(charts[i]);
    charts[i]->resize(eachSize);
    charts[i]->setPos(0, double(i) * eachSize.height());
  }
  const QSize size(eachSize.width(), eachSize.height() * int(charts.size()));
  scene.setSceneRect(0, 0, size.width(), size.height());
  // The layout places each plot area at the first render; line them up after it.
  {
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter probe(&scratch);
    scene.render(&probe, QRectF(0, 0, 1, 1), scene.sceneRect());
  }
  LineUpPlotAreas(charts);
  painter.setRenderHint(QPainter::Antialiasing);
  scene.render(&painter, QRectF(0, 0, size.width(), size.height()), scene.sceneRect());
  for (QChart* chart : charts) scene.removeItem(chart);
}

// The picture as PNG bytes; encoding into memory cannot meet a full disk.
QByteArray Png(const std::vector<QChart*>& charts, QSize eachSize) {
  QImage image(eachSize.width(), eachSize.height() * int(charts.size()), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    Render(charts, painter, eachSize);
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return {};
  return bytes;
}

QByteArray Svg(const std::vector<QChart*>& charts, QSize eachSize) {
  const QSize size(eachSize.width(), eachSize.height() * int(charts.size()));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), size));
  // The generator writes the title into the SVG unescaped; the chart's own title is
  // rich text, whose <br> is no XML.
  generator.setTitle(PlainTitle(*charts.front()).toHtmlEscaped());
  QPainter painter;
  if (!painter.begin(&generator)) return {};
  Render(charts, painter, eachSize);
  if (!painter.end()) return {};
  return bytes;
}

}  // namespace

QString WriteWholeFile(const std::string& path, const QByteArray& bytes) {
  // A stop signal while pictures are drawn waits for this file to be in place or gone.
  const std::unique_lock noStopHalfWay = HoldOffStop();
  const auto reason = [](int error) { return QString::fromLocal8Bit(std::strerror(error)); };
  std::string temporary = path + ".partial-XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return CannotWrite(path, reason(errno));
  // mkstemp makes the file private; a picture gets the permissions of any new file.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  int error = ::fchmod(fd, 0666 & ~mask) == 0 ? 0 : errno;
  for (qsizetype written = 0; error == 0 && written < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.constData() + written, std::size_t(bytes.size() - written));
    if (n < 0 && errno != EINTR) error = errno;
    if (n > 0) written += n;
  }
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    return CannotWrite(path, reason(error));
  }
  return {};
}

QString SaveChart(QChart& chart, const std::string& directory, const QString& name, QSize size) {
  return SaveChartStack({&chart}, directory, name, size);
}

QString SaveChartStack(const std::vector<QChart*>& charts, const std::string& directory, const QString& name,
                       QSize eachSize) {
  const std::string base = (std::filesystem::path(directory) / name.toStdString()).string();
  const std::string pngPath = base + ".png";
  const QByteArray png = Png(charts, eachSize);
  if (png.isEmpty()) return CannotWrite(pngPath, QStringLiteral("could not encode the picture"));
  if (QString error = WriteWholeFile(pngPath, png); !error.isEmpty()) return error;

  const std::string svgPath = base + ".svg";
  const QByteArray svg = Svg(charts, eachSize);
  if (svg.isEmpty()) return CannotWrite(svgPath, QStringLiteral("could not encode the picture"));
  return WriteWholeFile(svgPath, svg);
}
