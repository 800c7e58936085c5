#include "PlotImage.h"

#include <QChart>
#include <QGraphicsItem>
#include <QPainter>
#include <QValueAxis>
#include <cmath>

QPointF PlotMapping::ToPixel(double x, double y) const {
  return {(x - xLow) / (xHigh - xLow) * width, (yHigh - y) / (yHigh - yLow) * height};
}

double PlotMapping::XAt(int column) const { return xLow + (column + 0.5) / width * (xHigh - xLow); }

double PlotMapping::YAt(int row) const { return yHigh - (row + 0.5) / height * (yHigh - yLow); }

namespace {

// The chart's own layers are the plot area's background (0), shades (1), grid (2),
// axes (3) and series (4).
constexpr double kUnderTheGrid = 1.5;
constexpr double kWithTheSeries = 4;

// An item over a chart's plot area that follows it when the layout moves it.
class PlotAreaItem : public QGraphicsItem {
 public:
  PlotAreaItem(QChart& chart, const QValueAxis& x, const QValueAxis& y, double z)
      : QGraphicsItem(&chart), chart_(chart), x_(x), y_(y) {
    setZValue(z);
    QObject::connect(&chart, &QChart::plotAreaChanged, &chart, [this] { prepareGeometryChange(); });
  }

  QRectF boundingRect() const override { return chart_.plotArea(); }

  void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
    const QRectF area = chart_.plotArea();
    const int width = int(std::lround(area.width()));
    const int height = int(std::lround(area.height()));
    if (width < 1 || height < 1) return;
    Draw(*painter, area, PlotMapping{x_.min(), x_.max(), y_.min(), y_.max(), width, height});
  }

 protected:
  virtual void Draw(QPainter& painter, const QRectF& area, const PlotMapping& mapping) = 0;

 private:
  QChart& chart_;
  const QValueAxis& x_;
  const QValueAxis& y_;
};

// What fills the plot area, as one image.
class PlotImageItem : public PlotAreaItem {
 public:
  PlotImageItem(QChart& chart, const QValueAxis& x, const QValueAxis& y, PlotImageLayer layer, PlotImagePainter draw)
      : PlotAreaItem(chart, x, y, layer == PlotImageLayer::UnderGrid ? kUnderTheGrid : kWithTheSeries),
        draw_(std::move(draw)) {}

 protected:
  void Draw(QPainter& painter, const QRectF& area, const PlotMapping& mapping) override {
    QImage image(mapping.width, mapping.height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    draw_(image, mapping);
    painter.drawImage(area, image);
  }

 private:
  PlotImagePainter draw_;
};

// Lines and text over the plot area, drawn straight onto the chart's painter, so that
// in an SVG they stay vectors and text.
class PlotDrawingItem : public PlotAreaItem {
 public:
  PlotDrawingItem(QChart& chart, const QValueAxis& x, const QValueAxis& y, PlotPainter draw)
      : PlotAreaItem(chart, x, y, kWithTheSeries), draw_(std::move(draw)) {}

 protected:
  void Draw(QPainter& painter, const QRectF& area, const PlotMapping& mapping) override {
    painter.save();
    painter.setClipRect(area);
    painter.translate(area.topLeft());
    draw_(painter, mapping);
    painter.restore();
  }

 private:
  PlotPainter draw_;
};

}  // namespace

void AddPlotDrawing(QChart& chart, const QValueAxis& x, const QValueAxis& y, PlotPainter draw) {
  new PlotDrawingItem(chart, x, y, std::move(draw));
}

void AddPlotImage(QChart& chart, const QValueAxis& x, const QValueAxis& y, PlotImageLayer layer,
                  PlotImagePainter draw) {
  new PlotImageItem(chart, x, y, layer, std::move(draw));
}
