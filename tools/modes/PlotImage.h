#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <functional>

class QChart;
class QPainter;
class QValueAxis;

// Where values lie in an image that covers a chart's plot area: x grows to the right,
// y upwards, each over its axis's range.
struct PlotMapping {
  double xLow, xHigh, yLow, yHigh;
  int width, height;  // pixels
  QPointF ToPixel(double x, double y) const;
  // The values at a pixel's centre.
  double XAt(int column) const;
  double YAt(int row) const;
};

// Draws what fills a plot area into one image over it, while the chart's axes, titles
// and legend stay as they are: in an SVG, thousands of cells or points become a single
// embedded picture instead of an element each. Draw fills a transparent image of the
// plot area's size in pixels; the chart owns the layer. Cells that fill the plot area
// lie under the grid and axes; points lie over the grid, as a series would.
using PlotImagePainter = std::function<void(QImage& image, const PlotMapping& mapping)>;
enum class PlotImageLayer { UnderGrid, OverGrid };
void AddPlotImage(QChart& chart, const QValueAxis& x, const QValueAxis& y, PlotImageLayer layer,
                  PlotImagePainter draw);

// Draws over the plot area (above the grid, as a series would) with the chart's own
// painter, its origin at the plot area's top left and clipped to it: in an SVG, lines
// stay vectors and text stays text.
using PlotPainter = std::function<void(QPainter& painter, const PlotMapping& mapping)>;
void AddPlotDrawing(QChart& chart, const QValueAxis& x, const QValueAxis& y, PlotPainter draw);
