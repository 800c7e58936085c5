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

class PlotImageItem : public QGraphicsItem {
 public:
  PlotImageItem(QChart& chart, const QValueAxis& x, const QValueAxis& y, PlotImageLayer layer, PlotImagePainter draw)
      : QGraphicsItem(&chart), chart_(chart), x_(x), y_(y), draw_(std::move(draw)) {
    setZValue(layer == PlotImageLayer::UnderGrid ? kUnderTheGrid : kWithTheSeries);
    QObject::connect(&chart, &QChart::plotAreaChanged, &chart, [this] { prepareGeometryChange(); });
  }

  QRectF boundingRect() const override { return chart_.plotArea(); }

  void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
    const QRectF area = chart_.plotArea();
    const int width = int(std::lround(area.width()));
    const int height = int(std::lround(area.height()));
    if (width < 1 || height < 1) return;
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    draw_(image, PlotMapping{x_.min(), x_.max(), y_.min(), y_.max(), width, height});
    painter->drawImage(area, image);
  }

 private:
  QChart& chart_;
  const QValueAxis& x_;
  const QValueAxis& y_;
  PlotImagePainter draw_;
};

}  // namespace

void AddPlotImage(QChart& chart, const QValueAxis& x, const QValueAxis& y, PlotImageLayer layer,
                  PlotImagePainter draw) {
  new PlotImageItem(chart, x, y, layer, std::move(draw));
}
