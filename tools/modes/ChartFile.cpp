#include "ChartFile.h"

#include <QChart>
#include <QDir>
#include <QFile>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <filesystem>
#include <functional>
#include <system_error>

namespace {

QString CannotWrite(const QString& path, const QString& reason) {
  return QStringLiteral("cannot write %1: %2").arg(path, reason);
}

// Opens the file, lets draw fill it, and reports the first failure.
QString WriteFile(const QString& path, const std::function<bool(QFile&)>& draw) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return CannotWrite(path, file.errorString());
  if (!draw(file) || file.error() != QFileDevice::NoError) {
    const QString reason = file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("could not encode the picture");
    file.close();
    file.remove();
    return CannotWrite(path, reason);
  }
  file.close();
  if (file.error() != QFileDevice::NoError) return CannotWrite(path, file.errorString());
  return {};
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
  painter.setRenderHint(QPainter::Antialiasing);
  scene.render(&painter, QRectF(0, 0, size.width(), size.height()), scene.sceneRect());
  for (QChart* chart : charts) scene.removeItem(chart);
}

}  // namespace

QString MakePlotDirectory(const QString& directory) {
  std::error_code error;
  const std::filesystem::path path = QFile::encodeName(directory).toStdString();
  std::filesystem::create_directories(path, error);
  if (error) return CannotWrite(directory, QString::fromStdString(error.message()));
  if (!std::filesystem::is_directory(path, error)) return CannotWrite(directory, QStringLiteral("not a folder"));
  return {};
}

QString SaveChart(QChart& chart, const QString& directory, const QString& name, QSize size) {
  return SaveChartStack({&chart}, directory, name, size);
}

QString SaveChartStack(const std::vector<QChart*>& charts, const QString& directory, const QString& name,
                       QSize eachSize) {
  const QSize size(eachSize.width(), eachSize.height() * int(charts.size()));
  const QString base = QDir(directory).filePath(name);
  const QString pngError = WriteFile(base + QStringLiteral(".png"), [&](QFile& file) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      Render(charts, painter, eachSize);
    }
    return image.save(&file, "PNG");
  });
  if (!pngError.isEmpty()) return pngError;

  return WriteFile(base + QStringLiteral(".svg"), [&](QFile& file) {
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(charts.front()->title());
    QPainter painter;
    if (!painter.begin(&generator)) return false;
    Render(charts, painter, eachSize);
    return painter.end();
  });
}
